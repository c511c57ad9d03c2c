// A lava-stones game played to its end in each real program, through the X server, on the
// frame clock: the first level entered by a click on its icon where the resting carousel
// shows it; its start position read from the screen as lit and dark stones, the clicks that
// light all seven worked out by the level's rule and made one by one, each seen on the screen
// once the stones have had the time to change; the win seen (the white flash) and heard
// ("victory.wav" in the disk audio output); the hidden reset starts a new game with three
// stones lit. Then Alt+Return on the teaser: the same stones in full screen at the screen's
// size, and again back at 854 x 480; and the window manager closes the window in the middle
// of the teaser: status 0, no process and no file left behind.
// Screenshots: build/screenshots/lava-<program>-*.png.
#include <dirent.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "game/lava/LavaLevels.h"
#include "play/GalleryView.h"
#include "play/ProgramChecks.h"
#include "play/StoneSceneView.h"
#include "play/TeaserScreens.h"
#include "support/LavaSolver.h"
#include "support/ProgramPlay.h"
#include "support/SoundMatch.h"

namespace {

// The first level: its stones stand in a row and keep their places.
const LavaLevels::Level& LEVEL = LavaLevels::LEVEL_TABLE[0];
// The victory chime mixed with the novas' bursts keeps this much of its shape.
constexpr double VICTORY_SIMILARITY = 0.75;
// A stone takes this long to go dark or come alight.
constexpr double SWITCH_SECONDS = 1.5;

std::array<double, 2> stonePoint(int id, const Screenshot& shot) {
    for (const LavaLevels::StoneSpot& spot : LEVEL.stones) {
        if (spot.id == id)
            return stoneScenePoint(spot.x, spot.y, LavaLevels::STONE_Z, shot.width, shot.height);
    }
    return {0, 0};
}

// Mean brightness of the middle of a stone: a lit stone shows its texture at full strength,
// a dark one at 0.3 of it.
double stoneBrightness(const Screenshot& shot, int id) {
    std::array<double, 2> at = stonePoint(id, shot);
    const double half = 0.02;
    return shot
        .mean(at[0] - half, at[1] - half * shot.width / shot.height, at[0] + half,
              at[1] + half * shot.width / shot.height)
        .brightness();
}

// Lit stones as a mask (bit i for id i).
constexpr double LIT_BRIGHTNESS = 50;
int litMask(const Screenshot& shot) {
    int mask = 0;
    for (int id = 0; id < 7; id++) mask |= stoneBrightness(shot, id) > LIT_BRIGHTNESS ? 1 << id : 0;
    return mask;
}

std::string brightnesses(const Screenshot& shot) {
    std::string text;
    for (int id = 0; id < 7; id++) text += std::to_string(static_cast<int>(stoneBrightness(shot, id))) + " ";
    return text + "(see " + shot.file + ")";
}

// Every process whose environment names this game's sound file: the program and anything it
// started, wherever they were reparented.
std::vector<int> processesOf(ProgramPlay& game) {
    std::vector<int> found;
    const std::string mark = "SDL_DISKAUDIOFILE=" + game.soundFile();
    DIR* proc = opendir("/proc");
    if (!proc) return found;
    while (dirent* entry = readdir(proc)) {
        const int pid = atoi(entry->d_name);
        if (pid <= 0) continue;
        std::ifstream environ("/proc/" + std::string(entry->d_name) + "/environ", std::ios::binary);
        std::string all((std::istreambuf_iterator<char>(environ)), std::istreambuf_iterator<char>());
        std::string::size_type at = all.find(mark);
        if (at != std::string::npos && (at + mark.size() == all.size() || all[at + mark.size()] == '\0'))
            found.push_back(pid);
    }
    closedir(proc);
    return found;
}

std::set<std::string> filesIn(const std::string& folder) {
    std::set<std::string> names;
    if (DIR* dir = opendir(folder.c_str())) {
        while (dirent* entry = readdir(dir)) {
            std::string name = entry->d_name;
            if (name != "." && name != "..") names.insert(name);
        }
        closedir(dir);
    }
    return names;
}

// Enters the first level from the gallery, reads its start and clicks the stones that light
// all seven, each step seen on the screen; `beforeWinningClick` runs just before the last one.
testing::AssertionResult winFirstLevel(
    ProgramPlay& game, const std::string& shot, const std::function<void()>& beforeWinningClick = [] {}) {
    const TeaserScreen& level1 = teaserScreens().front();
    if (!game.runTo(gallery_view::REST_FRAME)) return testing::AssertionFailure() << game.log();
    std::array<double, 2> icon{};
    if (!gallery_view::clickPoint(gallery_view::restingTurn(), gallery_view::iconOf(*level1.step), &icon))
        return testing::AssertionFailure() << "the icon cannot be clicked";
    game.click(icon[0], icon[1]);
    if (!game.runFrames(gallery_view::framesToEnterTeaser()))
        return testing::AssertionFailure() << game.log();
    Screenshot seen = game.screenshot(shot + "start");
    if (testing::AssertionResult shown = showsTeaser(seen, level1); !shown) return shown;
    int mask = litMask(seen);
    if (__builtin_popcount(mask) != 3) return testing::AssertionFailure() << "start: " << brightnesses(seen);
    std::optional<std::vector<int>> clicks = lavasolver::solve(1, mask);
    if (!clicks || clicks->empty()) return testing::AssertionFailure() << "no solution from " << mask;
    for (int id : *clicks) {
        mask = lavasolver::afterClick(1, mask, id);
        if (mask == lavasolver::ALL_LIT) beforeWinningClick();
        std::array<double, 2> at = stonePoint(id, seen);
        game.click(at[0], at[1]);
        if (mask == lavasolver::ALL_LIT) break;
        if (!game.runFrames(ProgramPlay::framesOf(SWITCH_SECONDS)))
            return testing::AssertionFailure() << game.log();
        seen = game.screenshot("");
        if (litMask(seen) != mask)
            return testing::AssertionFailure()
                   << "after a click on stone " << id << ": " << brightnesses(seen);
    }
    return testing::AssertionSuccess();
}

class LavaProgramTest : public testing::TestWithParam<const char*> {};

TEST_P(LavaProgramTest, AGameWonByClickingTheHiddenResetFullScreenAndClosedByTheWindowManager) {
    const std::string program = GetParam();
    const std::string shot = "lava-" + program + "-";
    ProgramPlay game(program);
    ASSERT_TRUE(opened(game));
    const TeaserScreen& level1 = teaserScreens().front();
    size_t beforeWin = 0;
    bool playedBefore = false;
    ASSERT_TRUE(winFirstLevel(game, shot, [&] {
        beforeWin = game.soundBytes();
        playedBefore = soundPlayedSince(game.soundFile(), "impulse.wav") &&
                       !soundPlayedSince(game.soundFile(), "victory.wav", 0, VICTORY_SIMILARITY);
    }));

    // The win: the screen turns white and fades back within 2 s; the victory sounds.
    Screenshot flash;
    EXPECT_TRUE(
        game.runUntil([&] { return (flash = game.screenshot("")).mean(0, 0, 1, 1).brightness() > 150; },
                      ProgramPlay::framesOf(3)))
        << "no flash";
    flash.save(shot + "flash");
    // The chime plays under the novas' bursts, which blur its shape: heard after the winning
    // click and nowhere before it, where bursts of stones lighting up were played too.
    EXPECT_TRUE(game.waitFor(
        [&] { return soundPlayedSince(game.soundFile(), "victory.wav", beforeWin, VICTORY_SIMILARITY); }, 10))
        << game.log();
    EXPECT_TRUE(playedBefore) << "before the win: the bursts of stones lighting up, and no chime";
    // Once the flash has faded, all seven stones stand lit.
    ASSERT_TRUE(game.runFrames(ProgramPlay::framesOf(2)));
    Screenshot seen = game.screenshot(shot + "won");
    EXPECT_LT(seen.mean(0, 0, 1, 1).brightness(), 80) << "the flash stays";
    ASSERT_EQ(litMask(seen), lavasolver::ALL_LIT) << brightnesses(seen);

    // Solved, a click on a stone changes nothing; the hidden reset deals a new game of three.
    std::array<double, 2> stone = stonePoint(3, seen);
    game.click(stone[0], stone[1]);
    ASSERT_TRUE(game.runFrames(ProgramPlay::framesOf(SWITCH_SECONDS)));
    seen = game.screenshot("");
    EXPECT_EQ(litMask(seen), lavasolver::ALL_LIT) << brightnesses(seen);
    std::array<double, 2> reset = stoneScenePoint(LEVEL.resetX, LEVEL.resetY, LavaLevels::STONE_Z);
    game.click(reset[0], reset[1]);
    ASSERT_TRUE(game.runFrames(ProgramPlay::framesOf(SWITCH_SECONDS)));
    seen = game.screenshot(shot + "reset");
    const int mask = litMask(seen);
    ASSERT_EQ(__builtin_popcount(mask), 3) << brightnesses(seen);

    // Alt+Return on the teaser: the same stones, in full screen at the screen's size.
    game.key("alt+Return");
    ASSERT_TRUE(game.runUntil([&] { return game.fullScreen(); }, 500)) << game.log();
    ASSERT_TRUE(game.runFrames(2));
    seen = game.screenshot(shot + "fullscreen");
    EXPECT_EQ(seen.width, PrivateScreen::WIDTH);
    EXPECT_TRUE(showsTeaser(seen, level1));
    EXPECT_EQ(litMask(seen), mask) << brightnesses(seen);
    game.key("alt+Return");
    ASSERT_TRUE(game.runUntil([&] { return game.hasSize(854, 480); }, 500)) << game.log();
    ASSERT_TRUE(game.runFrames(2));
    seen = game.screenshot(shot + "windowed");
    EXPECT_TRUE(showsTeaser(seen, level1));
    EXPECT_EQ(litMask(seen), mask) << brightnesses(seen);

    // Closed by the window manager in the middle of the teaser.
    const std::set<std::string> files = filesIn(game.folder.path());
    ASSERT_EQ(processesOf(game), std::vector<int>{game.pid}) << "the program alone runs";
    game.key("alt+F4");
    EXPECT_TRUE(endedCleanly(game));
    EXPECT_TRUE(processesOf(game).empty());
    EXPECT_EQ(filesIn(game.folder.path()), files);
}

INSTANTIATE_TEST_SUITE_P(BothPrograms, LavaProgramTest, testing::Values("quandrels", "quandrels-fixed"),
                         programTestName);

}  // namespace
