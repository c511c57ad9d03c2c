// Reading packs: the cipher, the format as laid down byte by byte by an independent
// builder, passwords, lookups, entry reads, and packs that lie about themselves.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "core/Buffer.h"
#include "storage/Archive.h"
#include "storage/ContentCipher.h"
#include "storage/HeapArray.h"
#include "storage/PackWalk.h"
#include "support/PackBuilder.h"
#include "support/PackReading.h"
#include "support/TempDir.h"

namespace {

using Entry = PackBytes::Entry;

// Text that compresses somewhat: words with random bytes between them.
std::string mixed(size_t length, unsigned seed) {
    std::mt19937 generator(seed);
    static const char* words[] = {"stone ", "lava ", "rune ", "glow ", "quandrel "};
    std::string bytes;
    while (bytes.size() < length) {
        if (generator() % 4 == 0) {
            bytes += static_cast<char>(generator() & 0xFF);
        } else {
            bytes += words[generator() % 5];
        }
    }
    bytes.resize(length);
    return bytes;
}

class ArchiveRead : public testing::Test {
protected:
    TempDir dir;

    std::string put(const std::string& bytes, const std::string& name = "test.dat") {
        dir.writeFile(name, bytes);
        return dir / name;
    }
};

TEST(ArchiveCipher, KeysRunFromTheirStartAndWrapAtTheirEnd) {
    struct Case {
        const char* key;
        int start;
        std::vector<unsigned char> added;
    };
    const Case cases[] = {
        {Archive::arc_cip, 0, {0x5A, 0x21, 0x7C, 0x5A, 0x21}},
        {Archive::arc_cip, 2, {0x7C, 0x5A, 0x21, 0x7C, 0x5A}},
        {Archive::arc_cip, 3, {0x5A, 0x21, 0x7C, 0x5A, 0x21}},  // start at the terminator wraps
        {Archive::arc_cip, 7, {0x21, 0x7C, 0x5A, 0x21, 0x7C}},  // far past the key stays inside it
        {Archive::arc_cip2, 4, {0x58, 0x13, 0x44, 0x6E, 0x29}},
        {Archive::arc_cip3, 6, {0x55, 0x0E, 0x63, 0x31, 0x47}},
    };
    for (const Case& c : cases) {
        unsigned char data[5] = {1, 2, 3, 4, 5};
        Archive::encipher(data, 5, c.key, c.start);
        for (int i = 0; i < 5; ++i) {
            EXPECT_EQ(data[i], static_cast<unsigned char>(i + 1 + c.added[i])) << c.start << " byte " << i;
        }
        Archive::uncipher(data, 5, c.key, c.start);
        for (int i = 0; i < 5; ++i) EXPECT_EQ(data[i], i + 1);
    }
    unsigned char untouched[2] = {7, 8};
    Archive::encipher(untouched, 0, Archive::arc_cip, 0);
    Archive::uncipher(untouched, -3, Archive::arc_cip, 0);
    EXPECT_EQ(untouched[0], 7);
    EXPECT_EQ(untouched[1], 8);
    unsigned char inverted[3] = {0x00, 0xFF, 0x5A};
    Archive::xorencode(inverted, 3);
    EXPECT_EQ(inverted[0], 0xFF);
    EXPECT_EQ(inverted[1], 0x00);
    EXPECT_EQ(inverted[2], 0xA5);
}

TEST(ArchiveCipher, OneKeyStreamEqualsTheThreeKeysAppliedInTurn) {
    std::string data = pseudoRandom(5000, 1);
    for (long start : {0L, 1L, 104L, 105L, 524287L, 524288L, 1000003L}) {
        for (size_t length : {size_t(1), size_t(7), size_t(106), size_t(4095), size_t(4096), size_t(5000)}) {
            std::string piece = data.substr(0, length);
            std::string expected = PackBytes::encipherContent(piece, start);
            std::string actual = piece;
            ContentCipher::encipher(reinterpret_cast<unsigned char*>(&actual[0]), static_cast<long>(length),
                                    start);
            ASSERT_EQ(actual, expected) << "start " << start << " length " << length;
            ContentCipher::uncipher(reinterpret_cast<unsigned char*>(&actual[0]), static_cast<long>(length),
                                    start);
            ASSERT_EQ(actual, piece);
        }
    }
}

TEST(ArchiveHeap, ResizeArrayKeepsThePrefixAndDupliStrCopies) {
    void* array = nullptr;
    ASSERT_TRUE(ResizeArray(sizeof(int), &array, 0, 3));
    int* numbers = static_cast<int*>(array);
    numbers[0] = 10;
    numbers[1] = 11;
    numbers[2] = 12;
    ASSERT_TRUE(ResizeArray(sizeof(int), &array, 3, 5));
    EXPECT_EQ(static_cast<int*>(array)[2], 12);
    ASSERT_TRUE(ResizeArray(sizeof(int), &array, 5, 2));
    EXPECT_EQ(static_cast<int*>(array)[0], 10);
    EXPECT_EQ(static_cast<int*>(array)[1], 11);
    ASSERT_TRUE(ResizeArray(sizeof(int), &array, 2, 0));
    EXPECT_EQ(array, nullptr);
    EXPECT_FALSE(ResizeArray(sizeof(int), &array, 0, -1));

    char* copy = DupliStr("stone.png");
    ASSERT_NE(copy, nullptr);
    EXPECT_STREQ(copy, "stone.png");
    free(copy);
    EXPECT_EQ(DupliStr(nullptr), nullptr);
}

TEST_F(ArchiveRead, ReadsWhatTheFormatDescribesWhateverTheMagic) {
    std::vector<Entry> entries = {
        PackBytes::directory("textures",
                             {PackBytes::file("stone.png", "PNG-ish bytes"), PackBytes::directory("empty")}),
        PackBytes::file("stone.png", "top-level stone"),
        PackBytes::file("nothing.txt", ""),
    };
    for (const char* magic : {"Ahoj :-)", "NOTMAGIC"}) {
        Archive archive;
        ASSERT_EQ(archive.openPackFile(put(PackBytes::build(entries, false, "", magic)).c_str(), nullptr), 0)
            << magic;
        EXPECT_EQ(archive.mode, 2);
        ASSERT_EQ(archive.getDirectoryCount(), 3);
        EXPECT_STREQ(archive.getDirectoryName(0), "textures");
        EXPECT_EQ(archive.getDirectorySubCount(0), 2);
        EXPECT_STREQ(archive.getDirectoryName(1), "stone.png");
        EXPECT_EQ(archive.getDirectorySubCount(1), 0);
        EXPECT_EQ(archive.getDirectoryName(3), nullptr);
        EXPECT_EQ(archive.getDirectorySubCount(-1), 0);
        EXPECT_EQ(readEntry(archive, "textures/stone.png"), "PNG-ish bytes");
        EXPECT_EQ(readEntry(archive, "stone.png"), "top-level stone");
        EXPECT_EQ(readEntry(archive, "nothing.txt"), "");
        archive.enterToDirectory("textures");
        EXPECT_EQ(archive.getDirectoryCount(), 2);
        EXPECT_STREQ(archive.getDirectoryName(1), "empty");
        archive.returnFromDirectory();
        EXPECT_EQ(archive.current, archive.root);
        archive.returnFromDirectory();  // at the top: stays there
        EXPECT_EQ(archive.current, archive.root);
        archive.closePackFile();
        EXPECT_EQ(archive.mode, 0);
        EXPECT_EQ(archive.root, nullptr);
        EXPECT_EQ(archive.file, nullptr);
    }
}

TEST_F(ArchiveRead, AnEmptyMainDirectoryOpensAndFindsNothing) {
    Archive archive;
    ASSERT_EQ(archive.openPackFile(put(PackBytes::build({})).c_str(), nullptr), 0);
    EXPECT_EQ(archive.getDirectoryCount(), 0);
    PK_FILE entry;
    EXPECT_FALSE(archive.openFile(&entry, "anything"));
    EXPECT_FALSE(archive.getDirectoryData("", nullptr));
}

TEST_F(ArchiveRead, PasswordIsOnlyAskedForNeverCompared) {
    struct Case {
        bool stored;
        std::string password;
        const char* given;
        int result;
    };
    const Case cases[] = {
        {false, "", nullptr, 0}, {false, "", "anything", 0},   {true, "secret", nullptr, 2},
        {true, "secret", "", 0}, {true, "secret", "wrong", 0}, {true, "secret", "secret", 0},
    };
    for (const Case& c : cases) {
        std::string path = put(PackBytes::build({PackBytes::file("a", "alpha")}, c.stored, c.password));
        Archive archive;
        EXPECT_EQ(archive.openPackFile(path.c_str(), c.given), c.result) << (c.given ? c.given : "(null)");
        if (c.result == 0) {
            EXPECT_EQ(readEntry(archive, "a"), "alpha");
        } else {
            EXPECT_EQ(archive.mode, 0);
            EXPECT_EQ(archive.root, nullptr);
            EXPECT_EQ(archive.file, nullptr);
            archive.closePackFile();  // does nothing on a closed archive
            EXPECT_EQ(archive.openPackFile(path.c_str(), ""), 0);
        }
    }
}

TEST_F(ArchiveRead, OpeningTwiceFailsAndKeepsTheOpenPack) {
    std::string first = put(PackBytes::build({PackBytes::file("a", "first")}), "first.dat");
    std::string second = put(PackBytes::build({PackBytes::file("a", "second")}), "second.dat");
    Archive archive;
    ASSERT_EQ(archive.openPackFile(first.c_str(), nullptr), 0);
    PK_DIR* root = archive.root;
    EXPECT_EQ(archive.openPackFile(second.c_str(), nullptr), 1);
    EXPECT_EQ(archive.openPackFile((dir / "missing.dat").c_str(), nullptr), 1);
    EXPECT_EQ(archive.root, root);
    EXPECT_EQ(archive.mode, 2);
    EXPECT_EQ(readEntry(archive, "a"), "first");
    EXPECT_FALSE(archive.createPackFile((dir / "new.dat").c_str(), nullptr));
}

TEST_F(ArchiveRead, FilesThatCannotBeOpenedGiveOne) {
    Archive archive;
    EXPECT_EQ(archive.openPackFile((dir / "missing.dat").c_str(), nullptr), 1);
    EXPECT_EQ(archive.openPackFile(dir.path().c_str(), nullptr), 1);  // a directory
    EXPECT_EQ(archive.openPackFile(nullptr, nullptr), 1);
    EXPECT_EQ(archive.mode, 0);
}

TEST_F(ArchiveRead, LookupsWalkComponentsAndNeverMoveTheCurrentDirectory) {
    std::vector<Entry> entries = {
        PackBytes::directory("textures", {PackBytes::file("stone.png", "inner"),
                                          PackBytes::directory("deep", {PackBytes::file("x", "deep x")})}),
        PackBytes::file("stone.png", "outer"),
        PackBytes::file("x", "top x"),
    };
    Archive archive;
    ASSERT_EQ(archive.openPackFile(put(PackBytes::build(entries)).c_str(), nullptr), 0);
    struct Case {
        const char* path;
        const char* found;
    };
    const Case fromTop[] = {
        {"textures/stone.png", "inner"},
        {"textures\\stone.png", "inner"},
        {"./stone.png", "outer"},
        {".\\stone.png", "outer"},
        {"stone.png", "outer"},
        {"textures/../stone.png", "outer"},
        {"../stone.png", "outer"},
        {"nosuch/stone.png", "outer"},
        {"textures/deep/x", "deep x"},
        {"textures/nosuch/deep\\x", "deep x"},
        {"textures/deep/../../x", "top x"},
        {"nosuch.png", "<no entry>"},
        {"textures/nosuch.png", "<no entry>"},
        {"textures/", "<no entry>"},
    };
    for (const Case& c : fromTop) {
        EXPECT_EQ(readEntry(archive, c.path), c.found) << c.path;
        EXPECT_EQ(archive.current, archive.root) << c.path;
    }
    archive.enterToDirectory("textures");
    PK_DIR* textures = archive.current;
    ASSERT_NE(textures, archive.root);
    const Case fromTextures[] = {
        {"stone.png", "inner"},           {"../stone.png", "outer"}, {"deep/x", "deep x"},
        {"../textures/deep/x", "deep x"}, {"x", "<no entry>"},
    };
    for (const Case& c : fromTextures) {
        EXPECT_EQ(readEntry(archive, c.path), c.found) << c.path;
        EXPECT_EQ(archive.current, textures) << c.path;
    }
    archive.enterToDirectory("nosuch");
    EXPECT_EQ(archive.current, textures);
    archive.returnToMainDirectory();
    EXPECT_EQ(archive.current, archive.root);

    long offset = -1;
    EXPECT_TRUE(archive.getDirectoryData("textures", &offset));
    EXPECT_EQ(offset, archive.root->children[0]->offset);
    EXPECT_FALSE(archive.getDirectoryData("nosuch", &offset));
}

TEST_F(ArchiveRead, DirectoriesAreFoundButDoNotOpenAsFiles) {
    Archive archive;
    ASSERT_EQ(archive.openPackFile(put(PackBytes::build({PackBytes::directory("e")})).c_str(), nullptr), 0);
    EXPECT_TRUE(archive.getDirectoryData("e", nullptr));
    PK_FILE entry;
    EXPECT_FALSE(archive.openFile(&entry, "e"));
    EXPECT_EQ(entry.flag, 1);
    EXPECT_EQ(archive.readFile(&entry), nullptr);  // the failed open left no usable entry
}

TEST_F(ArchiveRead, ContentKeysRunOnAcrossPieces) {
    // 1.5 MiB of random bytes barely compress: the stored stream spans three pieces.
    std::string content = pseudoRandom(1536 * 1024, 7);
    std::string zlib = PackBytes::zlibStream(content);
    ASSERT_GT(zlib.size(), size_t(2) * Archive::PIECE_SIZE);
    std::string path = put(PackBytes::build({PackBytes::file("big", content)}));
    Archive archive;
    ASSERT_EQ(archive.openPackFile(path.c_str(), nullptr), 0);
    EXPECT_EQ(readEntry(archive, "big"), content);

    // The chunk reader delivers the raw stream whatever its chunk size.
    PK_FILE entry;
    ASSERT_TRUE(archive.openFile(&entry, "big"));
    EXPECT_EQ(entry.size, static_cast<long>(zlib.size()));
    std::string chunked;
    std::vector<char> chunk(100003);
    while (entry.position < entry.size) {
        long before = entry.position;
        ASSERT_TRUE(archive.readFile(chunk.data(), static_cast<long>(chunk.size()), &entry));
        chunked.append(chunk.data(), static_cast<size_t>(entry.position - before));
    }
    EXPECT_EQ(chunked, zlib);
    EXPECT_FALSE(archive.readFile(chunk.data(), 10, &entry));  // nothing left

    // Other reads in between: selectFile puts the file back at the entry's position.
    PK_FILE again;
    ASSERT_TRUE(archive.openFile(&again, "big"));
    char head[1000];
    ASSERT_TRUE(archive.readFile(head, sizeof head, &again));
    EXPECT_EQ(readEntry(archive, "big"), content);
    ASSERT_TRUE(archive.selectFile(&again));
    std::vector<char> rest(static_cast<size_t>(again.size - again.position));
    ASSERT_TRUE(archive.readFile(rest.data(), static_cast<long>(rest.size()), &again));
    EXPECT_EQ(std::string(head, sizeof head) + std::string(rest.data(), rest.size()), zlib);
    EXPECT_FALSE(archive.selectFile(&again));
}

TEST_F(ArchiveRead, NamesMayHoldAnyByteButFF) {
    // FF inverted is the terminator: such a name cannot be stored, so the writer refuses it.
    std::string odd = "tab\there \x01\xFE";
    Archive archive;
    ASSERT_EQ(archive.openPackFile(put(PackBytes::build({PackBytes::file(odd, "odd")})).c_str(), nullptr), 0);
    EXPECT_EQ(readEntry(archive, odd.c_str()), "odd");
    archive.closePackFile();

    ASSERT_TRUE(archive.createPackFile((dir / "w.dat").c_str(), nullptr));
    EXPECT_FALSE(archive.addDirectory("bad\xFFname", false));
    EXPECT_TRUE(archive.addDirectory("good", true));
    unsigned char flag = 1;
    EXPECT_TRUE(archive.writeToDirectory(&flag, 1));
    EXPECT_TRUE(archive.closePackFile());
    ASSERT_EQ(archive.openPackFile((dir / "w.dat").c_str(), nullptr), 0);
    ASSERT_EQ(archive.getDirectoryCount(), 1);
    EXPECT_STREQ(archive.getDirectoryName(0), "good");
}

TEST_F(ArchiveRead, DeepTreesParseWalkAndFreeWithoutRecursion) {
    // A chain of 100000 nested directories; the records are single flag bytes.
    const int depth = 100000;
    std::string records(depth, '\x01');
    std::string directory = PackBytes::int32le(0) + PackBytes::int32le(1);
    for (int i = 0; i < depth; ++i) directory += PackBytes::descriptor("d", 8 + i, i + 1 < depth ? 1 : 0);
    Archive archive;
    ASSERT_EQ(archive.openPackFile(put(PackBytes::assemble(records, directory)).c_str(), nullptr), 0);
    PackWalk walk(archive.root);
    int nodes = 0;
    int deepest = 0;
    while (walk.next()) {
        ++nodes;
        deepest = walk.depth();
    }
    EXPECT_EQ(nodes, depth);
    EXPECT_EQ(deepest, depth - 1);
    archive.closePackFile();
}

// Packs that lie: every one must be refused by openPackFile or by the entry read, never
// read outside what the file holds (the sanitizer build watches that).
TEST_F(ArchiveRead, LyingPacksAreRefused) {
    std::string zlib = PackBytes::zlibStream("content");
    std::string record = PackBytes::fileRecord(zlib);
    std::string head = PackBytes::int32le(0);
    auto pack = [&](const std::string& directory) { return PackBytes::assemble(record, directory); };
    auto one = [&](const std::string& descriptor) { return pack(head + PackBytes::int32le(1) + descriptor); };
    struct Case {
        const char* what;
        std::string bytes;
        const char* read = "";
    };
    std::string honest = one(PackBytes::descriptor("a", 8, 0));
    std::string longTrailer =
        honest.substr(0, honest.size() - 4) + PackBytes::trailerField(static_cast<int32_t>(honest.size()));
    std::string shortTrailer = honest.substr(0, honest.size() - 4) + PackBytes::trailerField(4);
    std::string negativeTrailer = honest.substr(0, honest.size() - 4) + PackBytes::trailerField(-20);
    const Case refused[] = {
        {"empty file", ""},
        {"shorter than a trailer", "abc"},
        {"directory longer than the file", longTrailer},
        {"directory shorter than P and N", shortTrailer},
        {"negative directory length", negativeTrailer},
        {"negative password length", pack(PackBytes::int32le(-1) + PackBytes::int32le(0))},
        {"password past the directory", pack(PackBytes::int32le(100) + PackBytes::int32le(0))},
        {"negative main count", pack(head + PackBytes::int32le(-1))},
        {"absurd main count", pack(head + PackBytes::int32le(0x7FFFFFFF))},
        {"main count beyond the descriptors",
         pack(head + PackBytes::int32le(2) + PackBytes::descriptor("a", 8, 0))},
        {"name without terminator", pack(head + PackBytes::int32le(1) + PackBytes::invert("abc"))},
        {"descriptor cut after its name",
         pack(head + PackBytes::int32le(1) + PackBytes::descriptor("a", 8, 0).substr(0, 6))},
        {"offset inside the directory",
         one(PackBytes::descriptor("a", static_cast<int32_t>(8 + record.size()), 0))},
        {"offset before the records", one(PackBytes::descriptor("a", 3, 0))},
        {"negative offset", one(PackBytes::descriptor("a", -5, 0))},
        {"offset far past the end", one(PackBytes::descriptor("a", 0x7FFFFFF0, 0))},
        {"negative count", one(PackBytes::descriptor("a", 8, -3))},
        {"absurd count", one(PackBytes::descriptor("a", 8, 0x40000000))},
        {"count beyond the descriptors", one(PackBytes::descriptor("a", 8, 1))},
    };
    for (const Case& c : refused) {
        Archive archive;
        EXPECT_EQ(archive.openPackFile(put(c.bytes).c_str(), nullptr), 1) << c.what;
        EXPECT_EQ(archive.mode, 0) << c.what;
        EXPECT_EQ(archive.root, nullptr) << c.what;
    }

    // Records that lie about their size open, but the entry does not.
    auto withRecord = [&](const std::string& lyingRecord) {
        return PackBytes::assemble(lyingRecord,
                                   head + PackBytes::int32le(1) + PackBytes::descriptor("a", 8, 0));
    };
    const Case unreadable[] = {
        {"size past the records",
         withRecord(std::string(1, '\0') + PackBytes::sizeField(1000) + PackBytes::encipherContent(zlib, 0)),
         "<no entry>"},
        {"negative size",
         withRecord(std::string(1, '\0') + PackBytes::sizeField(-1) + PackBytes::encipherContent(zlib, 0)),
         "<no entry>"},
        {"record cut before its size", withRecord(std::string(1, '\0') + "\x01\x02"), "<no entry>"},
        {"content that is no zlib stream",
         withRecord(std::string(1, '\0') + PackBytes::sizeField(7) + "garbage"), "<unreadable>"},
        {"content cut short",
         withRecord(std::string(1, '\0') + PackBytes::sizeField(static_cast<int32_t>(zlib.size() - 3)) +
                    PackBytes::encipherContent(zlib.substr(0, zlib.size() - 3), 0)),
         "<unreadable>"},
    };
    for (const Case& c : unreadable) {
        Archive archive;
        ASSERT_EQ(archive.openPackFile(put(c.bytes).c_str(), nullptr), 0) << c.what;
        EXPECT_EQ(readEntry(archive, "a"), c.read) << c.what;
        PK_FILE forged;
        forged.offset = 8;
        forged.size = 1 << 30;
        EXPECT_EQ(archive.readFile(&forged), nullptr) << c.what;
    }
    Archive archive;
    ASSERT_EQ(archive.openPackFile(put(honest).c_str(), nullptr), 0);
    EXPECT_EQ(readEntry(archive, "a"), "content");
}

TEST_F(ArchiveRead, EveryTruncationFailsCleanly) {
    std::string full = PackBytes::build(
        {PackBytes::directory("d", {PackBytes::file("f", mixed(700, 3))}), PackBytes::file("g", "gee")}, true,
        "pw");
    for (size_t length = 0; length < full.size(); ++length) {
        // A fresh name each time: truncating a file is far slower than creating one.
        std::string path = put(full.substr(0, length), "cut" + std::to_string(length));
        Archive archive;
        EXPECT_EQ(archive.openPackFile(path.c_str(), ""), 1) << "cut at " << length;
    }
    Archive archive;
    ASSERT_EQ(archive.openPackFile(put(full).c_str(), ""), 0);
    EXPECT_EQ(readEntry(archive, "d/f"), mixed(700, 3));
}

TEST_F(ArchiveRead, FlippedBytesNeverCrashTheReader) {
    std::string full = PackBytes::build(
        {PackBytes::directory("d", {PackBytes::file("f", mixed(700, 4))}), PackBytes::file("g", "gee")});
    int opened = 0;
    for (size_t at = 0; at < full.size(); ++at) {
        std::string damaged = full;
        damaged[at] = static_cast<char>(damaged[at] ^ 0x5A);
        std::string path = put(damaged, "flip" + std::to_string(at));
        Archive archive;
        if (archive.openPackFile(path.c_str(), nullptr) != 0) continue;
        ++opened;
        PackWalk walk(archive.root);
        while (PK_DIR* node = walk.next()) {
            PK_FILE entry;
            if (archive.openFile(&entry, node)) delete archive.readFile(&entry);
        }
    }
    // Damage to the records and magic still opens; damage to the trailer does not.
    EXPECT_GT(opened, 0);
    EXPECT_LT(opened, static_cast<int>(full.size()));
}

}  // namespace
