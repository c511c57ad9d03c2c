// A damaged data set met during play, in the real programs (support/ProgramPlay.h): the game
// loads each file when it first needs it, so a file missing or broken goes unnoticed until
// then. The pack is the build's data folder with one file damaged:
// - "lava.png" corrupted: the gallery plays; entering a lava-stones teaser that shows it
//   (levels 1 to 3: stones or floor) ends the game with the picture's message, status 0;
// - "nova.obj" missing: a teaser plays; the first stone that lights up fires a nova, whose
//   mesh is missing: the message, status 0;
// (a "victory.wav" cut short is met in a won game of lava stones: LavaProgramTest.cpp)
// Which icon the resting carousel shows where depends on the real frame times, so the test
// clicks an icon, tells the teaser it entered by its backdrop, and goes back and spins the
// carousel until it is in a teaser it wants.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "game/lava/LavaLevels.h"
#include "game/lava/LavaSolver.h"
#include "game/lava/LavaStones.h"
#include "math/Angles.h"
#include "play/CarouselRest.h"
#include "play/GalleryBackdrop.h"
#include "play/ProgramChecks.h"
#include "support/AlteredPack.h"
#include "support/ProgramPlay.h"
#include "support/SoundMatch.h"
#include "support/TempDir.h"

namespace {

using Clock = std::chrono::steady_clock;

std::string dataFile(const std::string& name) {
    std::ifstream in(std::string(QUANDRELS_BINARY_DIR) + "/data/" + name, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// The lava-stones level (1 to 4) whose backdrop the screen shows, or 0 for another screen: the
// nearest of the four backdrops in two boxes of sky that neither stones nor clouds cover.
int lavaLevelShown(const Screenshot& shot) {
    static const std::vector<Screenshot> backdrops = [] {
        std::vector<Screenshot> pictures;
        for (const LavaLevels::Level& level : LavaLevels::LEVEL_TABLE) {
            pictures.push_back(readPicture(std::string(QUANDRELS_BINARY_DIR) + "/data/" + level.backdrop));
        }
        return pictures;
    }();
    int nearest = 0;
    double best = 16;  // filtering and twinkling stars stay below this; other screens far above
    for (size_t i = 0; i < backdrops.size(); i++) {
        const double d = (differenceFromFullPicture(shot, backdrops[i], 120, 140, 240, 200) +
                          differenceFromFullPicture(shot, backdrops[i], 680, 300, 800, 360)) /
                         2;
        if (d < best) {
            best = d;
            nearest = static_cast<int>(i) + 1;
        }
    }
    return nearest;
}

// The lava-stones level on the screen once the fade has cleared: the same in two shots a
// fifth of a second apart, neither of them dark.
int settledLavaLevel(ProgramPlay& game) {
    Screenshot first = game.screenshot("");
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    Screenshot second = game.screenshot("");
    if (first.mean(0, 0, 1, 1).brightness() < 15 || second.mean(0, 0, 1, 1).brightness() < 15) return 0;
    const int level = lavaLevelShown(first);
    return level == lavaLevelShown(second) ? level : 0;
}

// The gallery's sky is up, with its moon (dark skies alone look much alike).
bool galleryShown(const Screenshot& shot) {
    return differenceFromBackdrop(shot, 20, 20, 200, 60) < 6 &&
           differenceFromBackdrop(shot, 110, 70, 190, 150) < 8;
}

// A lava-stones teaser entered from the gallery, on the screen since `shown`.
struct Teaser {
    int level = 0;  // 1 to 4; 0: none entered
    Clock::time_point shown;

    // The level-3 ring turns two degrees a second from the switch, half-way through the fade,
    // about 0.7 s before the fade is seen to end.
    double ringDegrees() const {
        if (!LavaLevels::LEVEL_TABLE[level - 1].ring) return 0;
        const double seconds = std::chrono::duration<double>(Clock::now() - shown).count() + 0.7;
        return LavaStones::RING_DEGREES_PER_SECOND * seconds;
    }

    // Where the stone at `spot` shows, in fractions of the 854 x 480 window: the stone
    // camera's view (45 degrees high, the letter box's aspect) of its place in the plane
    // z = STONE_Z, on the ring when the level has one.
    void stoneOnScreen(int spot, double* x, double* y) const {
        const LavaLevels::Level& layout = LavaLevels::LEVEL_TABLE[level - 1];
        double sx = layout.stones[spot].x, sy = layout.stones[spot].y;
        if (layout.ellipseX != 0) {
            const double a = 2 * PI * spot / LavaStones::STONES;
            sx = layout.ellipseX * std::sin(a);
            sy = layout.ellipseY * std::cos(a);
        }
        const double turn = ringDegrees() * PI / 180;
        double wx = sx * std::cos(turn) - sy * std::sin(turn);
        double wy = sx * std::sin(turn) + sy * std::cos(turn);
        if (layout.ring) wy += LavaLevels::RING_OFFSET_Y;
        const double depth = -LavaLevels::STONE_Z, halfHeight = std::tan(22.5 * PI / 180);
        *x = 0.5 + 0.5 * wx / depth / (halfHeight * 911.0 / 512.0);
        *y = 0.5 - 0.5 * wy / depth / halfHeight;
    }

    // The lit stones by id (bit i: the stone with id i), read from the screen: a lit stone is
    // as bright as its texture, a dark one at 0.3 of it.
    int litStones(ProgramPlay& game, const std::string& shot) const {
        Screenshot screen = game.screenshot(shot);
        const LavaLevels::Level& layout = LavaLevels::LEVEL_TABLE[level - 1];
        int mask = 0;
        for (int spot = 0; spot < LavaStones::STONES; spot++) {
            double x, y;
            stoneOnScreen(spot, &x, &y);
            if (screen.mean(x - 0.008, y - 0.014, x + 0.008, y + 0.014).brightness() > 90) {
                mask |= 1 << layout.stones[spot].id;
            }
        }
        return mask;
    }

    void clickStone(ProgramPlay& game, int id) const {
        const LavaLevels::Level& layout = LavaLevels::LEVEL_TABLE[level - 1];
        for (int spot = 0; spot < LavaStones::STONES; spot++) {
            if (layout.stones[spot].id != id) continue;
            double x, y;
            stoneOnScreen(spot, &x, &y);
            game.click(x, y);
        }
    }
};

// From the gallery into a lava-stones teaser that `wanted` accepts: up to six times, the
// carousel rests, a click a little above the middle presses the icon in front, and the
// screen tells where that led; a teaser not wanted is left
// with Escape, and a drag spins the carousel on. Stops early when the program ends. The
// gallery and the teaser are kept as build/screenshots/<shot>-gallery.png and <shot>.png.
Teaser enterATeaser(ProgramPlay& game, const std::function<bool(int level)>& wanted,
                    const std::string& shot) {
    Teaser teaser;
    for (int attempt = 0; attempt < 6 && !game.exited(); attempt++) {
        Screenshot rest;
        if (!restsIn(game, &rest) || !galleryShown(rest)) break;
        rest.save(shot + "-gallery");
        game.click(0.5, 0.55);
        // The press, then the fade: the gallery goes, black, and the new display comes up.
        int level = 0;
        if (game.waitFor([&] { return game.exited() || !galleryShown(game.screenshot("")); }, 4)) {
            game.waitFor([&] { return game.exited() || (level = settledLavaLevel(game)) > 0; }, 4);
        }
        if (level > 0 && wanted(level)) {
            teaser.level = level;
            teaser.shown = Clock::now();
            // The fade's second half clears the screen.
            std::this_thread::sleep_for(std::chrono::milliseconds(600));
            game.screenshot(shot);
            return teaser;
        }
        if (game.exited()) break;
        // A runes teaser or an unwanted lava-stones one fades back; the icon without a teaser
        // left the gallery up.
        if (!galleryShown(game.screenshot(""))) {
            if (!game.exited()) leaveTeaser(game);
            game.waitFor([&] { return galleryShown(game.screenshot("")); }, 5);
        }
        game.press(0.25, 0.6);
        for (int step = 1; step <= 8; step++) game.moveTo(0.25 + 0.06 * step, 0.6);
        game.release(0.73, 0.6);
    }
    return teaser;
}

TEST(FaultsInPlayTest, ACorruptedLavaPictureEndsTheGameWhenATeaserShowsIt) {
    std::string corrupted = dataFile("lava.png");
    ASSERT_GT(corrupted.size(), 1000u);
    for (size_t i = 64; i < corrupted.size(); i += 7) corrupted[i] = static_cast<char>(corrupted[i] ^ 0x5A);
    TempDir data;
    ASSERT_EQ(packAlteredData(data, "lava.png", &corrupted), "");
    ProgramPlay game("quandrels-fixed", data / "Quandrels.dat");
    ASSERT_TRUE(opened(game));
    // No teaser is wanted: one that shows "lava.png" ends the game on the way in; level 4 has
    // neither lava stones nor a lava floor, and the game goes on there until Escape.
    enterATeaser(
        game, [](int) { return false; }, "fault-lava-png");
    EXPECT_TRUE(game.exited()) << "no teaser with lava.png was entered";
    EXPECT_TRUE(endedCleanly(game));
    EXPECT_NE(game.log().find("Couldn't load image: "), std::string::npos) << game.log();
}

TEST(FaultsInPlayTest, AMissingNovaMeshEndsTheGameAtTheFirstNova) {
    TempDir data;
    ASSERT_EQ(packAlteredData(data, "nova.obj", nullptr), "");
    ProgramPlay game("quandrels", data / "Quandrels.dat");
    ASSERT_TRUE(opened(game));
    Teaser teaser = enterATeaser(
        game, [](int) { return true; }, "fault-nova-obj");
    ASSERT_GT(teaser.level, 0) << game.log();
    const int lit = teaser.litStones(game, "");
    ASSERT_NE(lit, lavasolver::ALL_LIT);
    EXPECT_EQ(game.log().find("nova.obj"), std::string::npos) << "not needed before";
    EXPECT_FALSE(game.exited()) << game.log();
    // A click that lights a dark stone.
    int clicked = 0;
    while ((lavasolver::afterClick(teaser.level, lit, clicked) & ~lit) == 0) clicked++;
    teaser.clickStone(game, clicked);
    EXPECT_TRUE(endedCleanly(game));
    EXPECT_NE(game.log().find("Cannot open file nova.obj\n"), std::string::npos) << game.log();
}

}  // namespace
