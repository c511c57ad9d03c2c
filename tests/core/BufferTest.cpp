#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "core/Buffer.h"
#include "core/Values.h"
#include "support/Bytes.h"

namespace {

TEST(BufferTest, ReadStopsAtTheEndAndReportsWhatItCopied) {
    Buffer buffer;
    fill(buffer, "abcd");
    char target[10] = {};
    EXPECT_EQ(buffer.read(target, 10), 4);
    EXPECT_EQ(std::string(target, 4), "abcd");
    EXPECT_TRUE(buffer.isOnEnd());
    EXPECT_EQ(buffer.read(target, 10), 0);
    EXPECT_EQ(buffer.position, 4);
}

TEST(BufferTest, AppendingItsOwnBytesSurvivesGrowth) {
    // Each write outgrows the block, which moves while its own bytes are the source.
    std::string expected;
    for (int i = 0; i < 64; i++) expected.push_back(static_cast<char>(i * 37 % 251));
    Buffer buffer;
    fill(buffer, expected);
    for (int round = 0; round < 6; round++) {
        buffer.write(buffer.data, buffer.size);
        expected += expected;
    }
    buffer.write(buffer.data + 10, 5);
    expected += expected.substr(10, 5);
    EXPECT_EQ(bytesOf(buffer), expected);
}

TEST(BufferTest, ReadAfterClearTouchesNothing) {
    Buffer buffer;
    fill(buffer, "abcd");
    char target[4];
    buffer.read(target, 2);
    buffer.clear();
    EXPECT_EQ(buffer.data, nullptr);
    EXPECT_EQ(buffer.read(target, 4), 0);
    EXPECT_TRUE(buffer.isOnEnd());
}

TEST(BufferTest, ScalarValuesHaveTheirFixedLayouts) {
    struct Case {
        std::unique_ptr<Bufferable> value;
        std::string bytes;
    };
    Case cases[] = {
        {std::make_unique<Integer>(-2), std::string("\xFE\xFF\xFF\xFF", 4)},
        {std::make_unique<Boolean>(true), std::string("\x01", 1)},
        {std::make_unique<Boolean>(false), std::string("\x00", 1)},
        {std::make_unique<Byte2>(0xAB), std::string("\xAB", 1)},
        {std::make_unique<Float>(1.0f), std::string("\x00\x00\x80\x3F", 4)},
        {std::make_unique<Double>(2.0), std::string("\x00\x00\x00\x00\x00\x00\x00\x40", 8)},
    };
    for (Case& c : cases) {
        Buffer out;
        c.value->writeToBuffer(&out);
        EXPECT_EQ(bytesOf(out), c.bytes);
    }
}

TEST(BufferTest, ScalarValuesReadBackAndShortReadsKeepOldBytes) {
    Buffer out;
    Integer(123456).writeToBuffer(&out);
    Double(-0.25).writeToBuffer(&out);
    Boolean(true).writeToBuffer(&out);
    Integer i;
    Double d;
    Boolean b;
    i.readFromBuffer(&out);
    d.readFromBuffer(&out);
    b.readFromBuffer(&out);
    EXPECT_EQ(i.value, 123456);
    EXPECT_EQ(d.value, -0.25);
    EXPECT_TRUE(b.value);

    Buffer cut;
    fill(cut, std::string("\x01\x02", 2));
    Integer partial(0);
    partial.readFromBuffer(&cut);
    EXPECT_EQ(partial.value, 0x0201);

    Buffer odd;
    fill(odd, "\x07");
    Boolean fromSeven;
    fromSeven.readFromBuffer(&odd);
    EXPECT_TRUE(fromSeven.value);
}

TEST(BufferTest, SerialisesAsLengthAndBytes) {
    Buffer empty;
    Buffer out;
    empty.writeToBuffer(&out);
    EXPECT_EQ(bytesOf(out), std::string(4, '\0'));
    Buffer target;
    fill(target, "stale");
    target.readFromBuffer(&out);
    EXPECT_EQ(target.data, nullptr);
    EXPECT_EQ(target.size, 0);

    Buffer five;
    fill(five, "12345");
    Buffer stream;
    five.writeToBuffer(&stream);
    Buffer hundred;
    fill(hundred, std::string(100, 'x'));
    hundred.readFromBuffer(&stream);
    EXPECT_EQ(hundred.size, 5);
    EXPECT_EQ(bytesOf(hundred), "12345");
}

TEST(BufferTest, ReadingAHostileLengthNeverAllocatesPastTheStream) {
    Buffer stream;
    fill(stream, std::string("\xFF\xFF\xFF\x7F"
                             "ab",
                             6));
    Buffer target;
    target.readFromBuffer(&stream);
    EXPECT_EQ(bytesOf(target), "ab");
}

std::string mixedContent(size_t n) {
    std::string s;
    s.reserve(n);
    unsigned state = 12345;
    for (size_t i = 0; i < n; i++) {
        state = state * 1103515245u + 12345u;
        s.push_back(i % 3 == 0 ? static_cast<char>(state >> 24) : static_cast<char>('a' + i % 7));
    }
    return s;
}

TEST(BufferTest, CompressAndDecompressRoundTripAtEveryLevel) {
    for (size_t size : {size_t(0), size_t(1), size_t(16384), size_t(100000)}) {
        std::string content = mixedContent(size);
        for (int level = -1; level <= 9; level++) {
            Buffer source;
            fill(source, content);
            std::unique_ptr<Buffer> packed(source.compress(level));
            ASSERT_NE(packed, nullptr);
            EXPECT_TRUE(source.isOnEnd());
            std::unique_ptr<Buffer> unpacked(packed->decompress());
            ASSERT_NE(unpacked, nullptr) << "size " << size << " level " << level;
            EXPECT_EQ(bytesOf(*unpacked), content);
        }
    }
}

TEST(BufferTest, CompressStartsAtTheCursor) {
    Buffer source;
    fill(source, "skip-this|keep");
    char skip[10];
    source.read(skip, 10);
    std::unique_ptr<Buffer> packed(source.compress(6));
    std::unique_ptr<Buffer> unpacked(packed->decompress());
    EXPECT_EQ(bytesOf(*unpacked), "keep");
}

TEST(BufferTest, DecompressRefusesBrokenStreams) {
    Buffer source;
    fill(source, mixedContent(50000));
    std::unique_ptr<Buffer> packed(source.compress(9));
    std::string stream = bytesOf(*packed);

    Buffer notZlib;
    fill(notZlib, "this is not a zlib stream at all");
    EXPECT_EQ(notZlib.decompress(), nullptr);

    Buffer empty;
    EXPECT_EQ(empty.decompress(), nullptr);

    for (size_t cut : {size_t(1), size_t(2), stream.size() / 2, stream.size() - 1}) {
        Buffer truncated;
        fill(truncated, stream.substr(0, cut));
        EXPECT_EQ(truncated.decompress(), nullptr) << "cut at " << cut;
    }

    std::string corrupted = stream;
    corrupted[corrupted.size() - 2] ^= 0x55;  // breaks the Adler-32 trailer
    Buffer bad;
    fill(bad, corrupted);
    EXPECT_EQ(bad.decompress(), nullptr);
}

TEST(BufferTest, DecompressIgnoresBytesAfterTheStream) {
    Buffer source;
    fill(source, "payload");
    std::unique_ptr<Buffer> packed(source.compress(-1));
    packed->write("trailing garbage", 16);
    std::unique_ptr<Buffer> unpacked(packed->decompress());
    ASSERT_NE(unpacked, nullptr);
    EXPECT_EQ(bytesOf(*unpacked), "payload");
}

TEST(BufferTest, DecompressStopsAtItsOutputLimit) {
    // 8 MiB of zeros deflates to about 8 KiB: a small bomb against a 1 MiB limit.
    std::string zeros(8u << 20, '\0');
    Buffer source;
    fill(source, zeros);
    std::unique_ptr<Buffer> bomb(source.compress(9));
    ASSERT_NE(bomb, nullptr);
    EXPECT_LT(bomb->size, 1 << 14);
    EXPECT_EQ(bomb->decompress(1 << 20), nullptr);
    bomb->position = 0;
    std::unique_ptr<Buffer> allowed(bomb->decompress());
    ASSERT_NE(allowed, nullptr);
    EXPECT_EQ(allowed->size, static_cast<int>(zeros.size()));
}

}  // namespace
