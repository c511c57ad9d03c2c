// Finding the game's data from any working directory: the working directory wins when it
// holds the pack or data/, then the places in their order; a miss names every place.
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "resources/DataFolder.h"
#include "resources/Resources.h"
#include "storage/File.h"
#include "support/LogCapture.h"
#include "support/TempDir.h"
#include "support/WorkingDirectory.h"

namespace {

std::string currentDirectory() { return File::getCurrentDirectory().getFilename(); }

enum class Holds { NOTHING, PACK, DATA_FOLDER, PACK_AS_FOLDER, DATA_AS_FILE };

void fill(const TempDir& root, const std::string& folder, Holds holds) {
    root.writeFile(folder + "/readme.txt", "not data");
    switch (holds) {
        case Holds::NOTHING:
            break;
        case Holds::PACK:
            root.writeFile(folder + "/Quandrels.dat", "pack bytes");
            break;
        case Holds::DATA_FOLDER:
            root.writeFile(folder + "/data/exit.png", "picture");
            break;
        case Holds::PACK_AS_FOLDER:
            root.writeFile(folder + "/Quandrels.dat/inside", "a folder named like the pack");
            break;
        case Holds::DATA_AS_FILE:
            root.writeFile(folder + "/data", "a file named data");
            break;
    }
}

struct ArchiveName {
    const char* saved = Resources::archive;
    ArchiveName() { Resources::archive = "Quandrels.dat"; }
    ~ArchiveName() { Resources::archive = saved; }
};

TEST(DataFolder, TheWorkingDirectoryWinsThenThePlacesInTheirOrder) {
    struct Case {
        const char* name;
        Holds start, first, second;
        std::string expected;  // "start", "first", "second"
    };
    const Case cases[] = {
        {"pack in the working directory", Holds::PACK, Holds::PACK, Holds::DATA_FOLDER, "start"},
        {"data/ in the working directory", Holds::DATA_FOLDER, Holds::PACK, Holds::PACK, "start"},
        {"beside the program", Holds::NOTHING, Holds::PACK, Holds::DATA_FOLDER, "first"},
        {"in the install's folder", Holds::NOTHING, Holds::NOTHING, Holds::DATA_FOLDER, "second"},
        {"look-alikes are no data", Holds::PACK_AS_FOLDER, Holds::DATA_AS_FILE, Holds::PACK, "second"},
    };
    ArchiveName archive;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WorkingDirectoryGuard guard;
        TempDir root;
        fill(root, "start", c.start);
        fill(root, "first", c.first);
        fill(root, "second", c.second);
        ASSERT_EQ(chdir((root / "start").c_str()), 0);
        List<String> places;
        places.add((root / "first").c_str());
        places.add((root / "second").c_str());

        bool found = false;
        std::string log = captureLog([&] { found = DataFolder::enter(places); });
        EXPECT_TRUE(found);
        EXPECT_EQ(currentDirectory(), root / c.expected);
        if (c.expected == "start") {
            EXPECT_EQ(log, "");
        } else {
            EXPECT_EQ(log, "Game data found in " + root / c.expected + "\n");
        }
    }
}

TEST(DataFolder, NoDataAnywhereNamesEveryPlaceAndStays) {
    ArchiveName archive;
    WorkingDirectoryGuard guard;
    TempDir root;
    fill(root, "start", Holds::NOTHING);
    fill(root, "first", Holds::DATA_AS_FILE);
    ASSERT_EQ(chdir((root / "start").c_str()), 0);
    List<String> places;
    places.add((root / "first").c_str());
    places.add((root / "missing").c_str());

    bool found = true;
    std::string log = captureLog([&] { found = DataFolder::enter(places); });
    EXPECT_FALSE(found);
    EXPECT_EQ(currentDirectory(), root / "start");
    EXPECT_EQ(log, "No game data (Quandrels.dat or data/) in: " + root / "start" + ", " + root / "first" +
                       ", " + root / "missing" + "\n");
}

TEST(DataFolder, TheProgramsFolderIsTheFolderOfTheRunningExecutable) {
    File folder = File::getApplicationDirectory();
    std::string expected = std::string(QUANDRELS_BINARY_DIR) + "/tests";
    char real[4096];
    ASSERT_NE(realpath(expected.c_str(), real), nullptr);
    EXPECT_EQ(std::string(folder.getFilename()), real);

    WorkingDirectoryGuard guard;
    File::changeDirectoryToApplication();
    EXPECT_EQ(currentDirectory(), real);
}

}  // namespace
