// Writing and unpacking packs: the exact bytes packFile lays down, progress codes,
// callback-supplied content, round trips, and extraction that must stay inside its target.
#include <dirent.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "core/Buffer.h"
#include "storage/Archive.h"
#include "support/PackBuilder.h"
#include "support/PackReading.h"
#include "support/TempDir.h"
#include "support/WorkingDirectory.h"

namespace {

using Entry = PackBytes::Entry;

long storedSize(Archive& archive, const char* path) {
    PK_FILE entry;
    return archive.openFile(&entry, path) ? entry.size : -1;
}

// Names in the order readdir delivers them, . and .. left out.
std::vector<std::string> readdirOrder(const std::string& path) {
    std::vector<std::string> names;
    DIR* directory = opendir(path.c_str());
    while (struct dirent* entry = readdir(directory)) {
        if (strcmp(entry->d_name, ".") != 0 && strcmp(entry->d_name, "..") != 0)
            names.push_back(entry->d_name);
    }
    closedir(directory);
    return names;
}

bool exists(const std::string& path) {
    struct stat info;
    return lstat(path.c_str(), &info) == 0;
}

std::string realPath(const std::string& path) {
    char* resolved = realpath(path.c_str(), nullptr);
    std::string result = resolved ? resolved : "";
    free(resolved);
    return result;
}

// What a progress callback saw, one call a record.
struct Call {
    int code;
    std::string first;
    std::string second;
    long value;  // -1: no value pointer
    bool dataGiven;
};

struct Recorder {
    std::vector<Call> calls;
    // Files whose content the callback supplies (answer 1 to code 4), in pieces.
    std::string suppliedName;
    std::vector<std::string> pieces;
    size_t nextPiece = 0;
    unsigned long announcedSize = 0;
    unsigned char answer = 2;    // to code 4 for every other file
    long forcePieceLength = -1;  // >= 0: report this length for every piece
};

Recorder* recorder = nullptr;

unsigned char record(unsigned char code, char const* first, char const* second, unsigned long* value,
                     void** data) {
    Recorder& r = *recorder;
    r.calls.push_back({code, first ? first : "", second ? second : "", value ? static_cast<long>(*value) : -1,
                       data != nullptr});
    std::string name = first ? first : "";
    bool supplied =
        !r.suppliedName.empty() && name.size() >= r.suppliedName.size() &&
        name.compare(name.size() - r.suppliedName.size(), r.suppliedName.size(), r.suppliedName) == 0;
    if (code == 4) return supplied ? 1 : r.answer;
    if (code == 5) *value = r.announcedSize;
    if (code == 6) {
        std::string& piece = r.pieces[r.nextPiece < r.pieces.size() ? r.nextPiece++ : r.pieces.size() - 1];
        *data = &piece[0];
        *value = r.forcePieceLength >= 0 ? static_cast<unsigned long>(r.forcePieceLength) : piece.size();
    }
    return 0;
}

class ArchiveWrite : public testing::Test {
protected:
    WorkingDirectoryGuard guard;
    TempDir dir;
    Recorder calls;

    void SetUp() override { recorder = &calls; }
    void TearDown() override { recorder = nullptr; }

    std::vector<int> codes() const {
        std::vector<int> result;
        for (const Call& c : calls.calls) result.push_back(c.code);
        return result;
    }
};

TEST_F(ArchiveWrite, PackFileLaysDownTheFormatByteForByte) {
    dir.writeFile("src/a.txt", "hello, pack");
    ASSERT_EQ(mkdir((dir / "src/e").c_str(), 0777), 0);
    struct Case {
        const char* password;
        bool stored;
    };
    for (Case c : {Case{"pw", true}, Case{nullptr, false}, Case{"", false}}) {
        std::string pack = dir / "out.dat";
        Archive archive;
        ASSERT_EQ(archive.packFile((dir / "src").c_str(), pack.c_str(), c.password), Archive::PACK_OK);
        std::vector<Entry> expected;
        for (const std::string& name : readdirOrder(dir / "src")) {
            expected.push_back(name == "e" ? PackBytes::directory("e")
                                           : PackBytes::file("a.txt", "hello, pack"));
        }
        ASSERT_EQ(expected.size(), 2u);
        EXPECT_EQ(dir.readFile("out.dat"), PackBytes::build(expected, c.stored, c.password ? c.password : ""))
            << (c.password ? c.password : "(null)");
        // The working directory stays in the source.
        char cwd[4096];
        ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
        EXPECT_EQ(std::string(cwd), realPath(dir / "src"));
        ASSERT_EQ(chdir(dir.path().c_str()), 0);

        ASSERT_EQ(archive.openPackFile(pack.c_str(), nullptr), c.stored ? 2 : 0);
        ASSERT_EQ(archive.openPackFile(pack.c_str(), ""), c.stored ? 0 : 1);
        EXPECT_EQ(readEntry(archive, "a.txt"), "hello, pack");
        PK_FILE entry;
        EXPECT_FALSE(archive.openFile(&entry, "e"));
        archive.closePackFile();
    }
}

TEST_F(ArchiveWrite, TheLowLevelWriterStoresWhatItIsGiven) {
    std::string pack = dir / "manual.dat";
    Archive archive;
    ASSERT_TRUE(archive.createPackFile(pack.c_str(), "key"));
    EXPECT_EQ(archive.mode, 1);
    ASSERT_TRUE(archive.addDirectory("d", true));
    unsigned char flag = 1;
    ASSERT_TRUE(archive.writeToDirectory(&flag, 1));
    ASSERT_TRUE(archive.addDirectory("f", false));
    std::string record = PackBytes::fileRecord(PackBytes::zlibStream("inner"));
    ASSERT_TRUE(archive.writeToDirectory(&record[0], static_cast<int>(record.size())));
    archive.returnFromDirectory();
    ASSERT_TRUE(archive.addDirectory("g", false));
    std::string second = PackBytes::fileRecord(PackBytes::zlibStream("outer"));
    ASSERT_TRUE(archive.writeToDirectory(&second[0], static_cast<int>(second.size())));
    EXPECT_TRUE(archive.closePackFile());
    EXPECT_EQ(archive.mode, 0);
    EXPECT_EQ(archive.root, nullptr);

    std::vector<Entry> expected = {PackBytes::directory("d", {PackBytes::file("f", "inner")}),
                                   PackBytes::file("g", "outer")};
    EXPECT_EQ(dir.readFile("manual.dat"), PackBytes::build(expected, true, "key"));
}

TEST_F(ArchiveWrite, RoundTripKeepsTheTreeExactly) {
    dir.writeFile("src/top.txt", "top level\n");
    dir.writeFile("src/empty.bin", "");
    dir.writeFile("src/big.bin", pseudoRandom(600 * 1024, 11) + std::string(300 * 1024, 'z'));
    dir.writeFile("src/sub/nested/deep.txt", "deep down\n");
    dir.writeFile("src/sub/other.txt", std::string(5000, 'q'));
    ASSERT_EQ(mkdir((dir / "src/sub/empty").c_str(), 0777), 0);
    ASSERT_EQ(mkdir((dir / "src/hollow").c_str(), 0777), 0);

    Archive archive;
    ASSERT_EQ(archive.packFile((dir / "src").c_str(), (dir / "p.dat").c_str(), nullptr), Archive::PACK_OK);
    ASSERT_EQ(archive.openPackFile((dir / "p.dat").c_str(), nullptr), 0);
    EXPECT_EQ(readEntry(archive, "sub/nested/deep.txt"), "deep down\n");
    EXPECT_EQ(readEntry(archive, "big.bin"), dir.readFile("src/big.bin"));
    archive.closePackFile();

    ASSERT_EQ(archive.extractFile((dir / "p.dat").c_str(), (dir / "out").c_str(), nullptr), 0);
    EXPECT_EQ(archive.getFailedPath(), nullptr);
    std::string diff = "diff -r '" + dir / "src" + "' '" + dir / "out" + "'";
    EXPECT_EQ(std::system(diff.c_str()), 0);
}

TEST_F(ArchiveWrite, ProgressCodesComeInOrderWithTheirValues) {
    std::string big = pseudoRandom(1200 * 1024, 5);  // incompressible: three pieces
    dir.writeFile("src/big.bin", big);
    dir.writeFile("src/one.txt", "one");
    std::string pack = dir / "p.dat";
    Archive archive;
    archive.setProc(record);
    ASSERT_EQ(archive.packFile((dir / "src").c_str(), pack.c_str(), nullptr), Archive::PACK_OK);

    std::string source = realPath(dir / "src");
    ASSERT_FALSE(calls.calls.empty());
    EXPECT_EQ(calls.calls[0].code, 0);
    EXPECT_EQ(calls.calls[0].first, source);
    EXPECT_EQ(calls.calls[0].second, pack);
    EXPECT_EQ(calls.calls[0].value, static_cast<long>(big.size() + 3));

    archive.setProc(nullptr);
    ASSERT_EQ(archive.openPackFile(pack.c_str(), nullptr), 0);
    long bigStored = storedSize(archive, "big.bin");
    long oneStored = storedSize(archive, "one.txt");
    archive.closePackFile();

    std::vector<int> expected = {0};
    for (const std::string& name : readdirOrder(dir / "src")) {
        expected.push_back(4);
        int pieces = name == "big.bin" ? 3 : 1;
        for (int i = 0; i < pieces; ++i) expected.push_back(2);
    }
    EXPECT_EQ(codes(), expected);
    long bigPieces = 0;
    long onePieces = 0;
    for (const Call& c : calls.calls) {
        if (c.code == 4 || c.code == 2) {
            EXPECT_EQ(c.second, pack);
        }
        if (c.code == 4) {
            EXPECT_EQ(c.value, -1);
        }
        if (c.code != 2) continue;
        EXPECT_LE(c.value, Archive::PIECE_SIZE);
        (c.first == source + "/big.bin" ? bigPieces : onePieces) += c.value;
    }
    EXPECT_EQ(bigPieces, bigStored);
    EXPECT_EQ(onePieces, oneStored);

    calls.calls.clear();
    archive.setProc(record);
    std::string target = dir / "out";
    ASSERT_EQ(archive.extractFile(pack.c_str(), target.c_str(), nullptr), 0);
    ASSERT_FALSE(calls.calls.empty());
    EXPECT_EQ(calls.calls[0].code, 1);
    EXPECT_EQ(calls.calls[0].first, pack);
    EXPECT_EQ(calls.calls[0].second, target);
    EXPECT_EQ(calls.calls[0].value, static_cast<long>(dir.readFile("p.dat").size()));
    long extractedBig = 0;
    for (size_t i = 1; i < calls.calls.size(); ++i) {
        EXPECT_EQ(calls.calls[i].code, 3);
        EXPECT_EQ(calls.calls[i].first, pack);
        if (calls.calls[i].second == realPath(target) + "/big.bin") extractedBig += calls.calls[i].value;
    }
    EXPECT_EQ(calls.calls.size(), 1u + 3u + 1u);
    EXPECT_EQ(extractedBig, bigStored);
    EXPECT_EQ(dir.readFile("out/big.bin"), big);
}

TEST_F(ArchiveWrite, AnsweringZeroLeavesEveryFileOut) {
    dir.writeFile("src/a.txt", "a");
    dir.writeFile("src/d/b.txt", "b");
    calls.answer = 0;
    Archive archive;
    archive.setProc(record);
    ASSERT_EQ(archive.packFile((dir / "src").c_str(), (dir / "p.dat").c_str(), nullptr), Archive::PACK_OK);
    archive.setProc(nullptr);
    ASSERT_EQ(archive.openPackFile((dir / "p.dat").c_str(), nullptr), 0);
    ASSERT_EQ(archive.getDirectoryCount(), 1);
    EXPECT_STREQ(archive.getDirectoryName(0), "d");
    EXPECT_EQ(archive.getDirectorySubCount(0), 0);
    // The records are one flag byte: magic, flag, directory (P, N, "d" descriptor), trailer.
    EXPECT_EQ(dir.readFile("p.dat").size(), size_t(8 + 1 + 8 + 2 + 8 + 4));
}

TEST_F(ArchiveWrite, TheCallbackCanSupplyTheContent) {
    dir.writeFile("src/c.txt", "what is on disk");
    std::string zlib = PackBytes::zlibStream("what the callback says");
    calls.suppliedName = "/c.txt";
    calls.announcedSize = zlib.size();
    calls.pieces = {zlib.substr(0, 5), zlib.substr(5, 7), zlib.substr(12)};
    std::vector<std::string> given = calls.pieces;
    Archive archive;
    archive.setProc(record);
    ASSERT_EQ(archive.packFile((dir / "src").c_str(), (dir / "p.dat").c_str(), nullptr), Archive::PACK_OK);
    EXPECT_EQ(codes(), (std::vector<int>{0, 4, 5, 6, 2, 6, 2, 6, 2, 7}));
    EXPECT_EQ(calls.calls[9].value, static_cast<long>(zlib.size() - 12));
    EXPECT_TRUE(calls.calls[3].dataGiven);
    EXPECT_EQ(calls.pieces, given);  // the caller's pieces are handed back unchanged

    archive.setProc(nullptr);
    ASSERT_EQ(archive.openPackFile((dir / "p.dat").c_str(), nullptr), 0);
    EXPECT_EQ(storedSize(archive, "c.txt"), static_cast<long>(zlib.size()));
    EXPECT_EQ(readEntry(archive, "c.txt"), "what the callback says");
}

TEST_F(ArchiveWrite, ACallbackThatDoesNotAddUpFailsInsteadOfLooping) {
    dir.writeFile("src/c.txt", "x");
    struct Case {
        const char* what;
        unsigned long announced;
        long pieceLength;
    };
    const Case cases[] = {
        {"empty pieces", 10, 0},
        {"a piece longer than the rest", 10, 11},
        {"a length no pack can hold", 0x80000000UL, -1},
    };
    for (const Case& c : cases) {
        calls = Recorder();
        calls.suppliedName = "/c.txt";
        calls.announcedSize = c.announced;
        calls.pieces = {std::string(16, 'p')};
        calls.forcePieceLength = c.pieceLength;
        Archive archive;
        archive.setProc(record);
        EXPECT_EQ(archive.packFile((dir / "src").c_str(), (dir / "p.dat").c_str(), nullptr),
                  Archive::PACK_BAD_CALLBACK)
            << c.what;
        EXPECT_EQ(archive.mode, 0) << c.what;
        ASSERT_NE(archive.getFailedPath(), nullptr);
        EXPECT_EQ(std::string(archive.getFailedPath()), realPath(dir / "src/c.txt"));
    }
}

TEST_F(ArchiveWrite, PackFileFailuresAreReportedAndLeaveOldPacksAlone) {
    dir.writeFile("old.dat", "an earlier pack");
    Archive archive;
    EXPECT_EQ(archive.packFile((dir / "nosuch").c_str(), (dir / "old.dat").c_str(), nullptr),
              Archive::PACK_NO_SOURCE);
    EXPECT_EQ(dir.readFile("old.dat"), "an earlier pack");
    EXPECT_EQ(archive.mode, 0);

    dir.writeFile("src/a.txt", "a");
    EXPECT_EQ(archive.packFile((dir / "src").c_str(), (dir / "nosuch/p.dat").c_str(), nullptr),
              Archive::PACK_CANNOT_CREATE);

    // A file that cannot be read stops the pack and is named.
    ASSERT_EQ(symlink((dir / "gone").c_str(), (dir / "src/dangling").c_str()), 0);
    EXPECT_EQ(archive.packFile((dir / "src").c_str(), (dir / "p.dat").c_str(), nullptr),
              Archive::PACK_READ_FAILED);
    EXPECT_EQ(archive.mode, 0);
    ASSERT_NE(archive.getFailedPath(), nullptr);
    EXPECT_EQ(std::string(archive.getFailedPath()), realPath(dir / "src") + "/dangling");
    ASSERT_EQ(unlink((dir / "src/dangling").c_str()), 0);

    // So does a name the format cannot store.
    dir.writeFile("src/bad\xFFname", "x");
    EXPECT_EQ(archive.packFile((dir / "src").c_str(), (dir / "p.dat").c_str(), nullptr),
              Archive::PACK_BAD_NAME);
    EXPECT_EQ(archive.mode, 0);

    // An archive that is open is not reused.
    ASSERT_EQ(unlink((dir / "src/bad\xFFname").c_str()), 0);
    ASSERT_TRUE(archive.createPackFile((dir / "q.dat").c_str(), nullptr));
    EXPECT_EQ(archive.packFile((dir / "src").c_str(), (dir / "p.dat").c_str(), nullptr),
              Archive::PACK_CANNOT_CREATE);
    EXPECT_TRUE(archive.closePackFile());
}

TEST_F(ArchiveWrite, APackInsideItsSourceDoesNotPackItself) {
    dir.writeFile("src/a.txt", "alpha");
    Archive archive;
    ASSERT_EQ(archive.packFile((dir / "src").c_str(), (dir / "src/self.dat").c_str(), nullptr),
              Archive::PACK_OK);
    ASSERT_EQ(archive.openPackFile((dir / "src/self.dat").c_str(), nullptr), 0);
    ASSERT_EQ(archive.getDirectoryCount(), 1);
    EXPECT_EQ(readEntry(archive, "a.txt"), "alpha");
}

TEST_F(ArchiveWrite, DirectorySizeSumsEveryFileBelow) {
    dir.writeFile("src/a", std::string(10, 'a'));
    dir.writeFile("src/d/b", std::string(32, 'b'));
    dir.writeFile("src/d/e/c", std::string(100, 'c'));
    Archive archive;
    EXPECT_EQ(archive.getDirectorySize((dir / "src").c_str()), 142);
    EXPECT_EQ(archive.getDirectorySize((dir / "nosuch").c_str()), 0);
}

TEST_F(ArchiveWrite, ExtractAppendsToFilesThatAreThere) {
    std::string pack = dir / "p.dat";
    dir.writeFile("p.dat", PackBytes::build({PackBytes::file("a.txt", "new"),
                                             PackBytes::directory("d", {PackBytes::file("b", "bee")})}));
    dir.writeFile("out/a.txt", "old-");
    ASSERT_EQ(mkdir((dir / "out/d").c_str(), 0777), 0);
    Archive archive;
    ASSERT_EQ(archive.extractFile(pack.c_str(), (dir / "out").c_str(), nullptr), 0);
    EXPECT_EQ(dir.readFile("out/a.txt"), "old-new");
    EXPECT_EQ(dir.readFile("out/d/b"), "bee");
    EXPECT_EQ(archive.mode, 0);
}

TEST_F(ArchiveWrite, ExtractReportsOpenFailuresAndEmptyPacks) {
    Archive archive;
    EXPECT_EQ(archive.extractFile((dir / "nosuch.dat").c_str(), (dir / "out").c_str(), nullptr), 1);
    EXPECT_FALSE(exists(dir / "out"));
    dir.writeFile("pw.dat", PackBytes::build({PackBytes::file("a", "a")}, true, "pw"));
    EXPECT_EQ(archive.extractFile((dir / "pw.dat").c_str(), (dir / "out").c_str(), nullptr), 2);
    EXPECT_FALSE(exists(dir / "out"));
    EXPECT_EQ(archive.extractFile((dir / "pw.dat").c_str(), (dir / "out").c_str(), "any"), 0);
    EXPECT_EQ(dir.readFile("out/a"), "a");

    dir.writeFile("empty.dat", PackBytes::build({}));
    EXPECT_EQ(archive.extractFile((dir / "empty.dat").c_str(), (dir / "fresh").c_str(), nullptr), 0);
    struct stat info;
    ASSERT_EQ(stat((dir / "fresh").c_str(), &info), 0);
    EXPECT_TRUE(S_ISDIR(info.st_mode));
    EXPECT_EQ(readdirOrder(dir / "fresh").size(), 0u);

    // A target that cannot be made is a failure, not an extraction into wherever we are.
    EXPECT_EQ(archive.extractFile((dir / "pw.dat").c_str(), (dir / "no/such/target").c_str(), "x"),
              Archive::EXTRACT_INCOMPLETE);
    EXPECT_EQ(archive.mode, 0);
}

TEST_F(ArchiveWrite, ExtractNeverWritesOutsideItsTarget) {
    std::string marker = "quandrels-abs-" + std::to_string(getpid());
    std::vector<Entry> entries = {
        PackBytes::file("../escape", "out!"),
        PackBytes::file("/tmp/" + marker, "abs!"),
        PackBytes::file("", "nameless"),
        PackBytes::file(".", "dot"),
        PackBytes::file("a\\..\\..\\escape2", "back!"),
        PackBytes::directory("..", {PackBytes::file("escape3", "up!")}),
        PackBytes::directory("sub",
                             {PackBytes::file("../../escape4", "up2!"), PackBytes::file("fine", "fine")}),
        PackBytes::file("ok.txt", "ok"),
    };
    dir.writeFile("p.dat", PackBytes::build(entries));
    Archive archive;
    ASSERT_EQ(mkdir((dir / "area").c_str(), 0777), 0);
    EXPECT_EQ(archive.extractFile((dir / "p.dat").c_str(), (dir / "area/out").c_str(), nullptr),
              Archive::EXTRACT_INCOMPLETE);
    EXPECT_NE(archive.getFailedPath(), nullptr);
    EXPECT_EQ(dir.readFile("area/out/ok.txt"), "ok");
    EXPECT_EQ(dir.readFile("area/out/sub/fine"), "fine");
    std::vector<std::string> top = readdirOrder(dir / "area/out");
    std::sort(top.begin(), top.end());
    EXPECT_EQ(top, (std::vector<std::string>{"ok.txt", "sub"}));
    EXPECT_EQ(readdirOrder(dir / "area"), std::vector<std::string>{"out"});
    EXPECT_EQ(readdirOrder(dir / "area/out/sub"), std::vector<std::string>{"fine"});
    EXPECT_FALSE(exists("/tmp/" + marker));
    for (const char* name : {"escape", "escape2", "escape3", "escape4"})
        EXPECT_FALSE(exists(dir / name)) << name;
}

TEST_F(ArchiveWrite, ExtractDoesNotFollowLinksStandingInTheWay) {
    dir.writeFile("outside/victim.txt", "precious");
    ASSERT_EQ(mkdir((dir / "out").c_str(), 0777), 0);
    ASSERT_EQ(symlink((dir / "outside/victim.txt").c_str(), (dir / "out/link.txt").c_str()), 0);
    ASSERT_EQ(symlink((dir / "outside").c_str(), (dir / "out/linkdir").c_str()), 0);
    ASSERT_EQ(symlink((dir / "outside").c_str(), (dir / "out/emptylink").c_str()), 0);
    ASSERT_EQ(mkfifo((dir / "out/fifo").c_str(), 0666), 0);
    dir.writeFile("p.dat", PackBytes::build({
                               PackBytes::file("link.txt", "overwritten!"),
                               PackBytes::directory("linkdir", {PackBytes::file("planted", "planted!")}),
                               PackBytes::directory("emptylink"),
                               PackBytes::file("fifo", "blocked?"),
                               PackBytes::file("fine.txt", "fine"),
                           }));
    Archive archive;
    EXPECT_EQ(archive.extractFile((dir / "p.dat").c_str(), (dir / "out").c_str(), nullptr),
              Archive::EXTRACT_INCOMPLETE);
    EXPECT_EQ(dir.readFile("outside/victim.txt"), "precious");
    EXPECT_EQ(readdirOrder(dir / "outside"), std::vector<std::string>{"victim.txt"});
    EXPECT_EQ(dir.readFile("out/fine.txt"), "fine");
}

}  // namespace
