// File: queries, whole-file reads, appending writes, listing and the working directory.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "core/Buffer.h"
#include "storage/File.h"
#include "support/Bytes.h"
#include "support/Capture.h"
#include "support/TempDir.h"

namespace {

std::string realPathOf(const std::string& path) {
    char* resolved = realpath(path.c_str(), nullptr);
    std::string result = resolved ? resolved : "";
    free(resolved);
    return result;
}

std::vector<std::string> sortedNames(const List<String>& entries) {
    std::vector<std::string> names;
    for (const String& name : entries) names.emplace_back(name.c_str());
    std::sort(names.begin(), names.end());
    return names;
}

// Puts the working directory back however a test leaves it.
class WorkingDirectoryGuard {
public:
    WorkingDirectoryGuard() : saved(open(".", O_RDONLY | O_DIRECTORY)) {}
    ~WorkingDirectoryGuard() {
        if (saved >= 0) {
            EXPECT_EQ(fchdir(saved), 0);
            close(saved);
        }
    }

private:
    int saved;
};

class FileTest : public testing::Test {
protected:
    TempDir dir;

    void SetUp() override {
        dir.writeFile("a.txt", "hello");
        dir.writeFile("empty.bin", "");
        ASSERT_EQ(mkdir((dir / "d").c_str(), 0755), 0);
        ASSERT_EQ(symlink((dir / "d").c_str(), (dir / "link").c_str()), 0);
        ASSERT_EQ(symlink((dir / "nowhere").c_str(), (dir / "dangling").c_str()), 0);
    }
};

TEST_F(FileTest, QueriesFollowStatExceptIsDirectoryWhichUsesLstat) {
    struct Case {
        const char* name;
        bool exists;
        bool directory;
        int size;
        const char* printed;  // by isDirectory
    };
    const Case cases[] = {
        {"a.txt", true, false, 5, ""},
        {"empty.bin", true, false, 0, ""},
        {"d", true, true, -2, ""},  // a directory's size is whatever stat says; not checked
        {"link", true, false, -2, ""},
        {"dangling", false, false, -1, ""},
        {"missing", false, false, -1, "lstat() Failed.\n"},
        {"missing/deeper", false, false, -1, "lstat() Failed.\n"},
    };
    for (const Case& c : cases) {
        File file((dir / c.name).c_str());
        EXPECT_EQ(file.isExists(), c.exists) << c.name;
        bool directory = true;
        std::string printed = captureStdout([&] { directory = file.isDirectory(); });
        EXPECT_EQ(directory, c.directory) << c.name;
        EXPECT_EQ(printed, c.printed) << c.name;
        if (c.size != -2) {
            EXPECT_EQ(file.size(), c.size) << c.name;
        }
    }
}

TEST(FilePathTest, ParentSubfileAndFilenameWorkOnTheTextAsWritten) {
    struct Case {
        const char* path;
        const char* parent;
        const char* printed;
    };
    const Case cases[] = {
        {"a/b/c.png", "a/b", ""},
        {"/x", "", ""},
        {"data/", "data", ""},
        {"/", "", ""},
        {"abc", "", "Substring error, end is -2"},
        {"", "", "Substring error, end is -2"},
    };
    for (const Case& c : cases) {
        File file(c.path);
        std::string parent;
        std::string printed = captureStdout([&] { parent = file.getParent().getFilename(); });
        EXPECT_EQ(parent, c.parent) << c.path;
        EXPECT_EQ(printed, c.printed) << c.path;
        EXPECT_STREQ(file.getFilename(), c.path);
    }
    EXPECT_STREQ(File("data").getSubfile("x.png").getFilename(), "data/x.png");
    EXPECT_STREQ(File("data/").getSubfile("x.png").getFilename(), "data//x.png");
    EXPECT_STREQ(File("").getSubfile("x").getFilename(), "/x");
    EXPECT_STREQ(File::FILE_SEPARATOR, "/");
}

TEST(FilePathTest, CopiesOwnTheirPathAndLiveInLists) {
    File original("one/two");
    File copy(original);
    original = File("three");
    EXPECT_STREQ(copy.getFilename(), "one/two");
    EXPECT_STREQ(original.getFilename(), "three");

    List<File> files;
    files.add(copy);
    files.add(File("x"));
    EXPECT_STREQ(files.get(0).getFilename(), "one/two");
    std::string printed = captureStdout([&] { EXPECT_STREQ(files.get(5).getFilename(), ""); });
    EXPECT_EQ(printed, "List get index overflow: 5");
}

TEST_F(FileTest, ReadReturnsTheWholeFileInPieces) {
    // Several 4096-byte pieces plus a partial one, with NUL bytes that must survive.
    std::string content;
    for (int i = 0; i < 3 * 4096 + 123; i++) content.push_back(static_cast<char>(i * 7 % 256));
    dir.writeFile("big.bin", content);
    std::unique_ptr<Buffer> buffer(File((dir / "big.bin").c_str()).read());
    ASSERT_NE(buffer, nullptr);
    EXPECT_EQ(bytesOf(*buffer), content);
    EXPECT_EQ(buffer->position, 0);

    std::unique_ptr<Buffer> empty(File((dir / "empty.bin").c_str()).read());
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(empty->size, 0);

    std::unique_ptr<Buffer> viaLink;
    dir.writeFile("d/inner.txt", "inside");
    viaLink.reset(File((dir / "link/inner.txt").c_str()).read());
    ASSERT_NE(viaLink, nullptr);
    EXPECT_EQ(bytesOf(*viaLink), "inside");
}

TEST_F(FileTest, ReadFailsWithNullAndSilently) {
    for (const char* name : {"missing", "dangling", "d", "link"}) {
        Buffer* buffer = reinterpret_cast<Buffer*>(1);
        std::string printed = captureStdout([&] { buffer = File((dir / name).c_str()).read(); });
        EXPECT_EQ(buffer, nullptr) << name;
        EXPECT_EQ(printed, "") << name;
        delete buffer;
    }
}

TEST_F(FileTest, FilesPastTwoGibibytesAreRefusedNotCut) {
    // A sparse file: no disk space used, and read() must refuse before reading anything.
    std::string path = dir / "huge.bin";
    int fd = open(path.c_str(), O_CREAT | O_WRONLY, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(ftruncate(fd, 3LL << 30), 0);
    close(fd);
    File huge(path.c_str());
    EXPECT_EQ(huge.size(), INT_MAX);
    EXPECT_EQ(huge.read(), nullptr);
}

TEST_F(FileTest, WritesAppendAndCreateEmpties) {
    File target((dir / "out.txt").c_str());
    target.write("first", 5);
    target.write("second", 6);
    EXPECT_EQ(dir.readFile("out.txt"), "firstsecond");

    EXPECT_TRUE(target.create());
    EXPECT_EQ(dir.readFile("out.txt"), "");
    EXPECT_TRUE(File((dir / "out.txt").c_str()).isExists());
    String text("text");
    target.write(text);
    Buffer buffer;
    buffer.write("|buf", 4);
    buffer.position = 4;  // the whole content is written, wherever the cursor stands
    target.write(buffer);
    target.write(&buffer);
    EXPECT_EQ(dir.readFile("out.txt"), "text|buf|buf");
    EXPECT_EQ(target.size(), 12);
}

TEST_F(FileTest, EmptyWritesStillCreateTheFile) {
    Buffer empty;
    File viaBuffer((dir / "from-buffer").c_str());
    viaBuffer.write(empty);
    EXPECT_TRUE(viaBuffer.isExists());
    EXPECT_EQ(viaBuffer.size(), 0);

    File viaNull((dir / "from-null").c_str());
    viaNull.write(static_cast<const Buffer*>(nullptr));
    EXPECT_FALSE(viaNull.isExists());
}

TEST_F(FileTest, WritesThatCannotOpenDoNothing) {
    File inMissing((dir / "missing/out.txt").c_str());
    EXPECT_FALSE(inMissing.create());
    inMissing.write("x", 1);
    EXPECT_FALSE(inMissing.isExists());
    File onDirectory((dir / "d").c_str());
    EXPECT_FALSE(onDirectory.create());
    onDirectory.write("x", 1);
    EXPECT_TRUE(onDirectory.isDirectory());
}

TEST_F(FileTest, CreateDirectoryOnlyOnce) {
    File made((dir / "made").c_str());
    EXPECT_TRUE(made.createDirectory());
    EXPECT_TRUE(made.isDirectory());
    EXPECT_FALSE(made.createDirectory());
    EXPECT_FALSE(File((dir / "missing/made").c_str()).createDirectory());
    EXPECT_FALSE(File((dir / "a.txt").c_str()).createDirectory());
}

TEST_F(FileTest, ListDeliversNamesWithDotEntries) {
    List<String> entries;
    entries.add(String("stale"));
    ASSERT_TRUE(File((dir / "d").c_str()).list(entries));
    EXPECT_EQ(sortedNames(entries), (std::vector<std::string>{".", ".."}));

    dir.writeFile("d/.hidden", "");
    dir.writeFile("d/sub/x", "");
    ASSERT_TRUE(File((dir / "link").c_str()).list(entries));
    EXPECT_EQ(sortedNames(entries), (std::vector<std::string>{".", "..", ".hidden", "sub"}));
}

TEST_F(FileTest, ListOfSomethingThatIsNoDirectoryFails) {
    for (const char* name : {"a.txt", "missing"}) {
        std::string path = dir / name;
        List<String> entries;
        entries.add(String("kept"));
        bool listed = true;
        std::string printed = captureStdout([&] { listed = File(path.c_str()).list(entries); });
        EXPECT_FALSE(listed);
        EXPECT_EQ(printed, "Error opening directory " + path);
        ASSERT_EQ(entries.size(), 1);
        EXPECT_EQ(entries.get(0), "kept");
    }
}

TEST_F(FileTest, WorkingDirectoryChangesAndIsReported) {
    WorkingDirectoryGuard guard;
    File::changeDirectory(dir.path().c_str());
    EXPECT_EQ(std::string(File::getCurrentDirectory().getFilename()), realPathOf(dir.path()));
    File::changeDirectory("d");
    EXPECT_EQ(std::string(File::getCurrentDirectory().getFilename()), realPathOf(dir / "d"));
    File::changeDirectory("no-such-directory");
    EXPECT_EQ(std::string(File::getCurrentDirectory().getFilename()), realPathOf(dir / "d"));
    // Relative paths resolve against the working directory.
    EXPECT_TRUE(File("../a.txt").isExists());
    // The program's own folder: this test program's.
    File::changeDirectoryToApplication();
    EXPECT_EQ(std::string(File::getCurrentDirectory().getFilename()),
              realPathOf(std::string(QUANDRELS_BINARY_DIR) + "/tests"));
}

TEST_F(FileTest, WorkingDirectoryOfAnyLengthIsReported) {
    // Built one relative step at a time: the whole path is longer than PATH_MAX, which
    // neither mkdir nor chdir would accept in one piece.
    WorkingDirectoryGuard guard;
    const std::string name(200, 'n');
    const int depth = 30;
    std::string expected = realPathOf(dir.path());
    ASSERT_EQ(chdir(dir.path().c_str()), 0);
    int made = 0;
    for (; made < depth; made++) {
        if (mkdir(name.c_str(), 0755) != 0 || chdir(name.c_str()) != 0) break;
        expected += "/" + name;
    }
    EXPECT_EQ(made, depth);
    EXPECT_GT(expected.size(), 4096u);

    std::string reported = File::getCurrentDirectory().getFilename();
    EXPECT_EQ(reported.size(), expected.size());
    EXPECT_TRUE(reported == expected);

    // Climb out again so the temporary folder can be removed with ordinary path lengths.
    for (int i = 0; i < made; i++) {
        ASSERT_EQ(chdir(".."), 0);
        ASSERT_EQ(rmdir(name.c_str()), 0);
    }
}

TEST_F(FileTest, WorkingDirectoryThatWasRemovedIsEmpty) {
    WorkingDirectoryGuard guard;
    ASSERT_EQ(chdir((dir / "d").c_str()), 0);
    ASSERT_EQ(rmdir((dir / "d").c_str()), 0);
    EXPECT_STREQ(File::getCurrentDirectory().getFilename(), "");
}

}  // namespace
