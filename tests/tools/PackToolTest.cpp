// quandrels-pack as its users run it: a separate process, paths relative to where it runs.
#include <dirent.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "storage/Archive.h"
#include "support/PackBuilder.h"
#include "support/PackReading.h"
#include "support/RunProcess.h"
#include "support/TempDir.h"

namespace {

const std::string TOOL = std::string(QUANDRELS_BINARY_DIR) + "/quandrels-pack";

std::vector<std::string> sortedNames(const std::string& path) {
    std::vector<std::string> names;
    DIR* directory = opendir(path.c_str());
    if (!directory) return names;
    while (struct dirent* entry = readdir(directory)) {
        std::string name = entry->d_name;
        if (name != "." && name != "..") names.push_back(name);
    }
    closedir(directory);
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) result.push_back(line);
    return result;
}

bool exists(const std::string& path) {
    struct stat info;
    return lstat(path.c_str(), &info) == 0;
}

class PackTool : public testing::Test {
protected:
    TempDir dir;

    ProcessResult run(std::vector<std::string> args, const std::string& where = "") {
        args.insert(args.begin(), TOOL);
        return runProcess(args, where.empty() ? dir.path() : dir / where);
    }
};

TEST_F(PackTool, RoundTripThroughPackListVerifyAndExtract) {
    dir.writeFile("work/src/top.txt", "top\n");
    dir.writeFile("work/src/empty.txt", "");
    dir.writeFile("work/src/art/big.bin", pseudoRandom(520 * 1024, 3) + std::string(200 * 1024, 'x'));
    dir.writeFile("work/src/art/deeper/note.txt", "note\n");
    ASSERT_EQ(mkdir((dir / "work/src/art/hollow").c_str(), 0777), 0);
    ASSERT_EQ(mkdir((dir / "elsewhere").c_str(), 0777), 0);

    // Relative paths, from a directory that is neither the source nor the pack's.
    ProcessResult packed = run({"pack", "../work/src", "../work/data.dat"}, "elsewhere");
    ASSERT_EQ(packed.status, 0) << packed.err;
    EXPECT_EQ(packed.err, "");  // no progress bar when standard error is no terminal
    EXPECT_EQ(sortedNames(dir / "work"), (std::vector<std::string>{"data.dat", "src"}));

    ProcessResult listed = run({"list", "work/data.dat"});
    ASSERT_EQ(listed.status, 0) << listed.err;
    Archive archive;
    ASSERT_EQ(archive.openPackFile((dir / "work/data.dat").c_str(), nullptr), 0);
    auto sizeOf = [&](const char* path) {
        PK_FILE entry;
        return archive.openFile(&entry, path) ? entry.size : -1L;
    };
    std::vector<std::string> expected;
    char line[256];
    for (const char* file : {"top.txt", "empty.txt", "art/big.bin", "art/deeper/note.txt"}) {
        snprintf(line, sizeof line, "%12ld  %s", sizeOf(file), file);
        expected.push_back(line);
    }
    for (const char* folder : {"art/", "art/deeper/", "art/hollow/"}) {
        snprintf(line, sizeof line, "%12s  %s", "-", folder);
        expected.push_back(line);
    }
    std::vector<std::string> got = lines(listed.out);
    std::sort(got.begin(), got.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(got, expected);

    ProcessResult verified = run({"verify", "data.dat"}, "work");
    EXPECT_EQ(verified.status, 0) << verified.err;
    EXPECT_EQ(verified.out, "data.dat: 4 files and 3 directories, all readable\n");

    ProcessResult extracted = run({"extract", "work/data.dat", "copy"});
    ASSERT_EQ(extracted.status, 0) << extracted.err;
    EXPECT_EQ(extracted.err, "");
    std::string diff = "diff -r '" + dir / "work/src" + "' '" + dir / "copy" + "'";
    EXPECT_EQ(std::system(diff.c_str()), 0);
}

TEST_F(PackTool, HelpAndUsageErrors) {
    struct Case {
        std::vector<std::string> args;
        int status;
        const char* says;
    };
    const Case cases[] = {
        {{"--help"}, 0, "Usage: quandrels-pack COMMAND"},
        {{"pack", "--help"}, 0, "Usage: quandrels-pack pack SOURCE_DIR PACK_FILE"},
        {{"extract", "--help"}, 0, "--overwrite"},
        {{"list", "x", "--help"}, 0, "Usage: quandrels-pack list PACK_FILE"},
        {{"verify", "--help"}, 0, "Usage: quandrels-pack verify PACK_FILE"},
        {{}, 2, "no command given"},
        {{"frobnicate"}, 2, "unknown command 'frobnicate'"},
        {{"pack", "src"}, 2, "missing operand"},
        {{"list", "a", "b"}, 2, "too many operands"},
        {{"list", "a", "--overwrite"}, 2, "unknown option '--overwrite'"},
        {{"extract", "a", "b", "--password"}, 2, "--password needs a value"},
        {{"verify", ""}, 2, "empty path"},
    };
    for (const Case& c : cases) {
        ProcessResult r = run(c.args);
        EXPECT_EQ(r.status, c.status) << c.says;
        const std::string& text = c.status == 0 ? r.out : r.err;
        EXPECT_NE(text.find(c.says), std::string::npos) << text;
        if (c.status != 0) {
            EXPECT_EQ(r.out, "");
        }
    }
}

TEST_F(PackTool, AFailedPackLeavesTheEarlierPackAndNoLeftovers) {
    dir.writeFile("src/a.txt", "alpha");
    ASSERT_EQ(run({"pack", "src", "data.dat"}).status, 0);
    std::string earlier = dir.readFile("data.dat");
    ASSERT_EQ(symlink((dir / "gone").c_str(), (dir / "src/dangling").c_str()), 0);

    ProcessResult r = run({"pack", "src", "data.dat", "--password", "pw"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "quandrels-pack: src/dangling: cannot be read\n");
    EXPECT_EQ(dir.readFile("data.dat"), earlier);
    EXPECT_EQ(sortedNames(dir.path()), (std::vector<std::string>{"data.dat", "src"}));

    ProcessResult missing = run({"pack", "nosuch", "data.dat"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, "quandrels-pack: nosuch: No such file or directory\n");
    ProcessResult intoFolder = run({"pack", "src", "src"});
    EXPECT_EQ(intoFolder.status, 1);
    EXPECT_EQ(intoFolder.err, "quandrels-pack: src: is a directory\n");
    EXPECT_EQ(dir.readFile("data.dat"), earlier);
    EXPECT_EQ(sortedNames(dir.path()), (std::vector<std::string>{"data.dat", "src"}));
}

TEST_F(PackTool, RepackingInsideTheSourceLeavesTheOldPackOut) {
    dir.writeFile("src/a.txt", "alpha");
    ASSERT_EQ(run({"pack", "src", "src/data.dat"}).status, 0);
    ASSERT_EQ(run({"pack", "src", "src/data.dat"}).status, 0);
    ProcessResult listed = run({"list", "src/data.dat"});
    ASSERT_EQ(listed.status, 0);
    ASSERT_EQ(lines(listed.out).size(), 1u) << listed.out;
    EXPECT_NE(listed.out.find("a.txt"), std::string::npos);
}

TEST_F(PackTool, ExtractRefusesExistingFilesUnlessToldToReplaceThem) {
    dir.writeFile("p.dat",
                  PackBytes::build({PackBytes::file("a.txt", "new a"), PackBytes::file("b.txt", "new b"),
                                    PackBytes::file("link.txt", "new link")}));
    dir.writeFile("out/a.txt", "old a");
    dir.writeFile("victim.txt", "precious");
    ASSERT_EQ(symlink((dir / "victim.txt").c_str(), (dir / "out/link.txt").c_str()), 0);

    ProcessResult refused = run({"extract", "p.dat", "out"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(lines(refused.err).size(), 1u) << refused.err;
    EXPECT_NE(refused.err.find("out/a.txt: already exists"), std::string::npos) << refused.err;
    EXPECT_EQ(dir.readFile("out/a.txt"), "old a");
    EXPECT_FALSE(exists(dir / "out/b.txt"));

    ProcessResult replaced = run({"extract", "p.dat", "out", "--overwrite"});
    EXPECT_EQ(replaced.status, 0) << replaced.err;
    EXPECT_EQ(dir.readFile("out/a.txt"), "new a");
    EXPECT_EQ(dir.readFile("out/b.txt"), "new b");
    EXPECT_EQ(dir.readFile("out/link.txt"), "new link");
    EXPECT_EQ(dir.readFile("victim.txt"), "precious");
    struct stat info;
    ASSERT_EQ(lstat((dir / "out/link.txt").c_str(), &info), 0);
    EXPECT_TRUE(S_ISREG(info.st_mode));
}

TEST_F(PackTool, HostileNamesExtractNothing) {
    std::string marker = "quandrels-tool-abs-" + std::to_string(getpid());
    struct Case {
        PackBytes::Entry entry;
        std::string named;
    };
    const Case cases[] = {
        {PackBytes::file("../escape", "out!"), "entry '../escape' has an unsafe name"},
        {PackBytes::file("/tmp/" + marker, "abs!"), "entry '/tmp/" + marker + "' has an unsafe name"},
        {PackBytes::directory("..", {PackBytes::file("escape", "up!")}), "entry '..' has an unsafe name"},
        {PackBytes::file("a\\b", "x"), "entry 'a\\\\b' has an unsafe name"},
        {PackBytes::file("", "x"), "entry '' has an unsafe name"},
    };
    for (const Case& c : cases) {
        dir.writeFile("p.dat", PackBytes::build({PackBytes::file("fine.txt", "fine"), c.entry}));
        ProcessResult r = run({"extract", "p.dat", "area/out"});
        EXPECT_EQ(r.status, 1) << c.named;
        EXPECT_EQ(lines(r.err).size(), 1u) << r.err;
        EXPECT_NE(r.err.find("quandrels-pack: p.dat: "), std::string::npos) << r.err;
        EXPECT_NE(r.err.find(c.named), std::string::npos) << r.err;
        EXPECT_FALSE(exists(dir / "area"));
        EXPECT_FALSE(exists(dir / "escape"));
        EXPECT_FALSE(exists("/tmp/" + marker));
    }

    dir.writeFile("twice.dat", PackBytes::build({PackBytes::file("a", "1"), PackBytes::file("a", "2")}));
    ProcessResult twice = run({"extract", "twice.dat", "out"});
    EXPECT_EQ(twice.status, 1);
    EXPECT_NE(twice.err.find("entry 'a' appears twice"), std::string::npos) << twice.err;
    EXPECT_FALSE(exists(dir / "out"));
}

TEST_F(PackTool, VerifyNamesDamagedEntries) {
    std::string good = PackBytes::zlibStream("good content");
    std::string bad = PackBytes::zlibStream("bad content");
    bad[bad.size() / 2] = static_cast<char>(bad[bad.size() / 2] ^ 0xFF);
    PackBytes::Entry damaged = PackBytes::file("broken.txt", "");
    damaged.stored = bad;
    dir.writeFile(
        "p.dat",
        PackBytes::build({PackBytes::directory("d", {PackBytes::file("ok.txt", "good content"), damaged})}));

    ProcessResult r = run({"verify", "p.dat"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "p.dat: entry 'd/broken.txt': the content does not inflate\n");
    EXPECT_EQ(r.err, "quandrels-pack: p.dat: 1 entry is damaged\n");

    dir.writeFile("junk.dat", "this is not a pack at all, just some text");
    for (const char* command : {"list", "verify", "extract"}) {
        std::vector<std::string> args = {command, "junk.dat"};
        if (std::string(command) == "extract") args.push_back("out");
        ProcessResult junk = run(args);
        EXPECT_EQ(junk.status, 1) << command;
        EXPECT_EQ(
            junk.err,
            "quandrels-pack: junk.dat: not a pack file, or damaged (its directory does not hold together)\n");
    }
    EXPECT_FALSE(exists(dir / "out"));
}

TEST_F(PackTool, PasswordsAreAskedFor) {
    dir.writeFile("src/a.txt", "alpha");
    ASSERT_EQ(run({"pack", "src", "p.dat", "--password", "sesame"}).status, 0);
    ProcessResult without = run({"list", "p.dat"});
    EXPECT_EQ(without.status, 1);
    EXPECT_EQ(without.err,
              "quandrels-pack: p.dat: the pack is protected by a password; give it with --password\n");
    ProcessResult with = run({"list", "p.dat", "--password=anything"});
    EXPECT_EQ(with.status, 0) << with.err;
    EXPECT_NE(with.out.find("a.txt"), std::string::npos);
    EXPECT_EQ(run({"extract", "p.dat", "out", "--password", "sesame"}).status, 0);
    EXPECT_EQ(dir.readFile("out/a.txt"), "alpha");
}

TEST_F(PackTool, ProgressIsDrawnOnATerminal) {
    dir.writeFile("src/big.bin", pseudoRandom(1200 * 1024, 9));
    // script(1) gives the tool a terminal for its standard error.
    std::string command = "cd '" + dir.path() + "' && script -qec '" + TOOL + " pack src p.dat' /dev/null";
    ProcessResult r = runProcess({"/bin/sh", "-c", command});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("packing ["), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("100%"), std::string::npos) << r.out;
    ASSERT_TRUE(exists(dir / "p.dat"));

    command = "cd '" + dir.path() + "' && script -qec '" + TOOL + " extract p.dat out' /dev/null";
    r = runProcess({"/bin/sh", "-c", command});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("extracting ["), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("100%"), std::string::npos) << r.out;
    EXPECT_EQ(dir.readFile("out/big.bin"), dir.readFile("src/big.bin"));
}

}  // namespace
