// The generator itself: the same bytes on every run, and a failure exit when it cannot write.
#include <dirent.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "support/TempDir.h"

namespace {

const std::string GENERATOR = std::string(QUANDRELS_TOOLS_DIR) + "/quandrels-datagen";

std::set<std::string> filesIn(const std::string& dir) {
    std::set<std::string> names;
    if (DIR* d = opendir(dir.c_str())) {
        while (dirent* e = readdir(d)) {
            std::string n = e->d_name;
            if (n != "." && n != ".." && n[0] != '.') names.insert(n);
        }
        closedir(d);
    }
    return names;
}

std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

int run(const std::string& arguments) {
    return std::system((GENERATOR + " " + arguments + " >/dev/null 2>&1").c_str());
}

}  // namespace

TEST(Generator, WritesTheSameBytesOnEveryRun) {
    TempDir first, second;
    ASSERT_EQ(run(first.path() + "/data"), 0);
    ASSERT_EQ(run(second.path() + "/data"), 0);
    std::set<std::string> names = filesIn(first.path() + "/data");
    EXPECT_EQ(names.size(), 50u);
    EXPECT_EQ(names, filesIn(second.path() + "/data"));
    std::string built = std::string(QUANDRELS_BINARY_DIR) + "/data/";
    for (const std::string& name : names) {
        std::string a = readAll(first.path() + "/data/" + name);
        EXPECT_FALSE(a.empty()) << name;
        EXPECT_TRUE(a == readAll(second.path() + "/data/" + name)) << name << " differs between two runs";
        EXPECT_TRUE(a == readAll(built + name)) << name << " differs from the build's copy";
    }
}

TEST(Generator, WritesOnlyTheNamedFilesWhenAsked) {
    TempDir dir;
    ASSERT_EQ(run("--only rune2mask.png --only pau.wav " + dir.path()), 0);
    EXPECT_EQ(filesIn(dir.path()), (std::set<std::string>{"pau.wav", "rune2mask.png"}));
    EXPECT_TRUE(readAll(dir.path() + "/pau.wav") ==
                readAll(std::string(QUANDRELS_BINARY_DIR) + "/data/pau.wav"));
}

TEST(Generator, FailsWhenItCannotWriteOrIsCalledWrongly) {
    TempDir dir;
    dir.writeFile("blocked", "a file where the output folder should go");
    EXPECT_NE(run(dir.path() + "/blocked/data"), 0);
    EXPECT_NE(run(""), 0);
    EXPECT_NE(run("--unknown " + dir.path()), 0);
    EXPECT_NE(run("--fonts /nonexistent-fonts " + dir.path() + "/out"), 0);
}
