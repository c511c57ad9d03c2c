#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

#include "core/Buffer.h"
#include "math/Color.h"
#include "math/Vector2.h"
#include "math/Vector3.h"
#include "math/Vector4.h"
#include "support/MatrixAssert.h"

namespace {

std::string bytesOf(const Buffer& buffer) {
    return buffer.data ? std::string(reinterpret_cast<char*>(buffer.data), buffer.size) : std::string();
}

void fill(Buffer& buffer, const std::string& bytes) {
    buffer.write(bytes.data(), static_cast<int>(bytes.size()));
}

float floatOf(const char* fourBytes) {
    float f;
    memcpy(&f, fourBytes, 4);
    return f;
}

TEST(VectorTest, DefaultsAreZero) {
    EXPECT_EQ(Vector2(), Vector2(0, 0));
    EXPECT_EQ(Vector3(), Vector3(0, 0, 0));
    EXPECT_EQ(Vector4(), Vector4(0, 0, 0, 0));
    Color c;
    EXPECT_EQ(c, (Color{0, 0, 0, 0}));
}

TEST(VectorTest, VectorsSerialiseAsLittleEndianFloats) {
    Buffer out;
    Vector3(1, 2, 3).writeToBuffer(&out);
    EXPECT_EQ(bytesOf(out), std::string("\x00\x00\x80\x3F\x00\x00\x00\x40\x00\x00\x40\x40", 12));

    Buffer two;
    Vector2(-2, 0.5f).writeToBuffer(&two);
    EXPECT_EQ(bytesOf(two), std::string("\x00\x00\x00\xC0\x00\x00\x00\x3F", 8));

    Buffer four;
    Vector4(1, 0, -1, 2).writeToBuffer(&four);
    EXPECT_EQ(bytesOf(four),
              std::string("\x00\x00\x80\x3F\x00\x00\x00\x00\x00\x00\x80\xBF\x00\x00\x00\x40", 16));
}

TEST(VectorTest, VectorsReadBackInSequence) {
    Buffer stream;
    Vector2(1.5f, -2).writeToBuffer(&stream);
    Vector3(3, 4.25f, -5).writeToBuffer(&stream);
    Vector4(6, 7, 8, 9.125f).writeToBuffer(&stream);
    Vector2 a;
    Vector3 b;
    Vector4 c;
    a.readFromBuffer(&stream);
    b.readFromBuffer(&stream);
    c.readFromBuffer(&stream);
    EXPECT_EQ(a, Vector2(1.5f, -2));
    EXPECT_EQ(b, Vector3(3, 4.25f, -5));
    EXPECT_EQ(c, Vector4(6, 7, 8, 9.125f));
    EXPECT_TRUE(stream.isOnEnd());
}

TEST(VectorTest, ShortReadsKeepWhatTheScratchHeld) {
    // The scratch starts as zeros and is shared by the components of one read: a component
    // that gets fewer than four bytes keeps the rest from the component before it.
    struct Case {
        std::string bytes;
        Vector3 expected;
    };
    const Case cases[] = {
        {std::string(), Vector3(0, 0, 0)},
        {std::string("\x00\x00", 2), Vector3(0, 0, 0)},
        {std::string("\x00\x00\x80", 3),
         Vector3(floatOf("\x00\x00\x80\x00"), floatOf("\x00\x00\x80\x00"), floatOf("\x00\x00\x80\x00"))},
        {std::string("\x00\x00\x80\x3F\x11\x22", 6),
         Vector3(1, floatOf("\x11\x22\x80\x3F"), floatOf("\x11\x22\x80\x3F"))},
        {std::string("\x00\x00\x80\x3F\x00\x00\x00\x40\x00\x00\x40", 11),
         Vector3(1, 2, floatOf("\x00\x00\x40\x40"))},
    };
    for (const Case& c : cases) {
        Buffer in;
        fill(in, c.bytes);
        Vector3 v(9, 9, 9);
        v.readFromBuffer(&in);
        EXPECT_EQ(v, c.expected) << c.bytes.size() << " bytes";
        EXPECT_TRUE(in.isOnEnd());
    }

    Buffer half;
    fill(half, std::string("\x00\x00\x80\x3F\x00\x00", 6));
    Vector4 four(9, 9, 9, 9);
    four.readFromBuffer(&half);
    EXPECT_EQ(four, Vector4(1, floatOf("\x00\x00\x80\x3F"), 1, 1));
    Vector2 two(9, 9);
    two.readFromBuffer(&half);
    EXPECT_EQ(two, Vector2(0, 0));
}

TEST(VectorTest, Vector3Arithmetic) {
    Vector3 a(1, 2, 3), b(-4, 0.5f, 2);
    EXPECT_EQ(a + b, Vector3(-3, 2.5f, 5));
    EXPECT_EQ(a - b, Vector3(5, 1.5f, 1));
    EXPECT_EQ(-a, Vector3(-1, -2, -3));
    EXPECT_EQ(a * 2, Vector3(2, 4, 6));
    EXPECT_EQ(a / 2, Vector3(0.5f, 1, 1.5f));
    EXPECT_EQ(dot(a, b), -4 + 1 + 6.0f);
    EXPECT_EQ(cross(Vector3(1, 0, 0), Vector3(0, 1, 0)), Vector3(0, 0, 1));
    EXPECT_EQ(cross(Vector3(0, 1, 0), Vector3(1, 0, 0)), Vector3(0, 0, -1));
    Vector3 c = cross(a, b);
    EXPECT_FLOAT_EQ(dot(c, a), 0);
    EXPECT_FLOAT_EQ(dot(c, b), 0);
    EXPECT_FLOAT_EQ(length(Vector3(2, 3, 6)), 7);
    EXPECT_TRUE(vectorNear(normalize(Vector3(0, 3, 4)), Vector3(0, 0.6f, 0.8f), 1e-7f));
    // A zero vector is not guarded: its direction is NaN.
    EXPECT_TRUE(std::isnan(normalize(Vector3()).x));
}

}  // namespace
