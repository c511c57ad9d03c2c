// A damaged data pack met during play, in the whole game (support/PlayedGame.h): the game loads
// each file when it first needs it, so a file missing or broken goes unnoticed until then.
// The pack is the build's data folder with one file damaged (support/AlteredPack.h):
// - "lava.png" corrupted: the gallery plays; entering a lava-stones teaser that shows it
//   (the stones of levels 1 and 2, the lava floor of level 3) ends the game in its first
//   frame, under the fade's black, with the picture's message, through the normal shutdown;
// - "nova.obj" missing: a teaser plays; the first stone that lights up fires a nova, whose
//   mesh is missing: the message, and the same clean end;
// - "victory.wav" cut short: the first lava-stones level won logs the sound's message; the
//   win is seen (the flash, then all seven stones lit) and not heard (SDL's disk audio
//   output), and the game goes on to its normal end. The same game with the build's pack
//   shows that the chime is heard there.
// Teasers are entered by a click on their icon; stones are clicked where the game shows
// them. Screenshots: build/screenshots/damaged-<file>-<build>-*.png.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "game/lava/Flash.h"
#include "game/lava/LavaStones.h"
#include "game/lava/Stone.h"
#include "play/TeaserEntry.h"
#include "scene/Picking.h"
#include "support/AlteredPack.h"
#include "support/LavaSolver.h"
#include "support/PlayedGame.h"
#include "support/SoundMatch.h"
#include "support/TempDir.h"
#include "support/WindowPoint.h"

namespace {

using namespace teaser_entry;

#ifdef QUANDRELS_TEST_FIXED_BUILD
const std::string BUILD = "fixed";
#else
const std::string BUILD = "shader";
#endif

std::string dataFile(const std::string& name) { return std::string(QUANDRELS_BINARY_DIR) + "/data/" + name; }

std::string bytesOf(const std::string& name) {
    std::ifstream in(dataFile(name), std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

LavaStones* lavaOfLevel(PlayedGame& g, int level) {
    for (Display* d : g.displays) {
        LavaStones* lava = dynamic_cast<LavaStones*>(d);
        if (lava && lava->level == level) return lava;
    }
    return nullptr;
}

void collectStones(Component* at, std::vector<Stone*>& byId) {
    for (Component* c : at->children) {
        if (Stone* stone = dynamic_cast<Stone*>(c)) {
            byId.at(stone->id) = stone;
        } else {
            collectStones(c, byId);
        }
    }
}

// The stones by id, wherever they hang (on the ring at level 3).
std::vector<Stone*> stonesOf(LavaStones* lava) {
    std::vector<Stone*> byId(LavaStones::STONES, nullptr);
    collectStones(lava->stoneScene, byId);
    return byId;
}

// The lit stones as a mask (bit i for id i).
int litMask(LavaStones* lava) {
    int mask = 0;
    for (Stone* stone : stonesOf(lava)) mask |= stone->lit ? 1 << stone->id : 0;
    return mask;
}

// Mean brightness of the middle of a stone where the game shows it: a lit stone shows its
// texture at full strength, a dark one at 0.3 of it.
double stoneBrightness(PlayedGame& g, const Screenshot& shot, LavaStones* lava, Stone* stone) {
    const Vector2 at = windowPointOf(lava->stoneScene, g.window, stone);
    return shot.mean(at.x - 0.012, at.y - 0.02, at.x + 0.012, at.y + 0.02).brightness();
}

constexpr double LIT_BRIGHTNESS = 50;

// The chime keeps this much of its shape under the novas' bursts, which the frames, faster or
// slower than the audio device, crowd more or less into it; nothing else the game plays comes
// near it.
constexpr double VICTORY_SIMILARITY = 0.5;

// The stones the screen shows lit, as a mask.
int litOnScreen(PlayedGame& g, const Screenshot& shot, LavaStones* lava) {
    int mask = 0;
    for (Stone* stone : stonesOf(lava)) {
        mask |= stoneBrightness(g, shot, lava, stone) > LIT_BRIGHTNESS ? 1 << stone->id : 0;
    }
    return mask;
}

std::string brightnesses(PlayedGame& g, const Screenshot& shot, LavaStones* lava) {
    std::string text;
    for (Stone* stone : stonesOf(lava)) {
        text += std::to_string(static_cast<int>(stoneBrightness(g, shot, lava, stone))) + " ";
    }
    return text + "in " + shot.file;
}

// A click on the stone with `id` where the game shows it; the game's picking finds that stone
// there. The release is read by the next frame.
testing::AssertionResult clickStone(PlayedGame& g, LavaStones* lava, int id) {
    Stone* stone = stonesOf(lava).at(id);
    const Vector2 at = windowPointOf(lava->stoneScene, g.window, stone);
    if (pick<Stone>(g.window, lava->stoneScene, at) != stone)
        return testing::AssertionFailure() << "stone " << id << " is covered at " << at.x << ", " << at.y;
    g.click(at.x, at.y);
    return testing::AssertionSuccess();
}

// The win's flash, while it lasts.
Flash* flashOf(LavaStones* lava) {
    for (Component* c : lava->sceneryScene->children) {
        if (Flash* flash = dynamic_cast<Flash*>(c)) return flash;
    }
    return nullptr;
}

// The script's end, when a fatal message cut it short: the game logged the message and
// shut down through start()'s normal path.
void expectEndedBy(PlayedGame& game, const std::string& message) {
    EXPECT_NE(game.log().find(message), std::string::npos) << game.log();
    EXPECT_EQ(game.window, nullptr) << "start() shut the game down";
    EXPECT_EQ(game.sharedLayer, nullptr);
    EXPECT_EQ(game.displays.size(), 0);
}

// Each level that shows the picture: the stones (lava.png is the texture of kind 0) at levels 1
// and 2, the lava floor at level 3.
class CorruptedLavaPicture : public testing::TestWithParam<int> {};

TEST_P(CorruptedLavaPicture, EndsTheGameWhenTheTeaserShowsIt) {
    const int level = GetParam();
    std::string corrupted = bytesOf("lava.png");
    ASSERT_GT(corrupted.size(), 1000u);
    for (size_t i = 64; i < corrupted.size(); i += 7) corrupted[i] = static_cast<char>(corrupted[i] ^ 0x5A);
    TempDir data;
    ASSERT_EQ(packAlteredData(data, "lava.png", &corrupted), "");

    PlayedGame game;
    game.pack = data / "Quandrels.dat";
    bool shown = false;
    int switchedAt = -1;
    game.play([&](PlayedGame& g) {
        LavaStones* lava = lavaOfLevel(g, level);
        ASSERT_NE(lava, nullptr);
        ASSERT_TRUE(clickIconOf(g, lava));
        EXPECT_EQ(g.log().find("Couldn't load image"), std::string::npos) << "the gallery plays";
        // The teaser's first frame draws the picture: the game ends there, under the black of
        // the fade.
        ASSERT_TRUE(g.waitUntil([&] { return g.window->display == lava; }, 60));
        switchedAt = g.frameCount;
        g.frames(30);
        shown = true;
    });
    EXPECT_FALSE(shown) << "the teaser was shown";
    EXPECT_EQ(game.frameCount, switchedAt) << "the frame after the switch did not end";
    expectEndedBy(game, "Couldn't load image: ");
}

INSTANTIATE_TEST_SUITE_P(DamagedPackPlayTest, CorruptedLavaPicture, testing::Values(1, 2, 3),
                         [](const testing::TestParamInfo<int>& info) {
                             return "level" + std::to_string(info.param);
                         });

TEST(DamagedPackPlayTest, AMissingNovaMeshEndsTheGameAtTheFirstNova) {
    TempDir data;
    ASSERT_EQ(packAlteredData(data, "nova.obj", nullptr), "");
    PlayedGame game;
    game.pack = data / "Quandrels.dat";
    bool afterTheClick = false;
    int clickedAt = -1;
    game.play([&](PlayedGame& g) {
        // The level in front of the carousel at rest.
        LavaStones* lava = lavaOfLevel(g, 3);
        ASSERT_NE(lava, nullptr);
        ASSERT_TRUE(enterTeaser(g, lava, "damaged-nova-obj-" + BUILD));
        g.frames(25);  // the teaser plays on for half a second
        const int lit = litMask(lava);
        ASSERT_NE(lit, lavasolver::ALL_LIT);
        EXPECT_EQ(g.log().find("nova.obj"), std::string::npos) << "not needed before";
        // A click that lights a dark stone.
        int id = 0;
        while ((lavasolver::afterClick(lava->level, lit, id) & ~lit) == 0) id++;
        ASSERT_TRUE(clickStone(g, lava, id));
        clickedAt = g.frameCount;
        g.frames(5);
        afterTheClick = true;
    });
    EXPECT_FALSE(afterTheClick) << "the game went on after the nova";
    EXPECT_EQ(game.frameCount, clickedAt) << "the frame that read the release did not end";
    expectEndedBy(game, "Cannot open file nova.obj\n");
}

// The first lava-stones level won with the build's chime, which is heard, and with one cut
// short, which is not: the same game, the same moments of the output.
class VictorySound : public testing::TestWithParam<bool> {};

TEST_P(VictorySound, AWonGameIsSeenAndHeardUnlessTheChimeIsCutShortAndGoesOnEitherWay) {
    const bool cutShort = GetParam();
    TempDir data;
    if (cutShort) {
        std::string sound = bytesOf("victory.wav");
        ASSERT_GT(sound.size(), 4096u);
        sound.resize(sound.size() / 3);  // the header still promises all the samples
        ASSERT_EQ(packAlteredData(data, "victory.wav", &sound), "");
    }
    // The whole chime as the mixer plays it, in bytes of the disk audio output.
    const size_t victoryBytes = sound_match::asMixed(dataFile("victory.wav")).size() * 4;
    ASSERT_GT(victoryBytes, 0u);
    const std::string shot = std::string(cutShort ? "damaged" : "intact") + "-victory-wav-" + BUILD + "-";
    const std::string message = "ERROR: Wav cannot be loaded.";

    PlayedGame game;
    if (cutShort) game.pack = data / "Quandrels.dat";
    game.recordSound = true;
    game.play([&](PlayedGame& g) {
        LavaStones* lava = lavaOfLevel(g, 1);
        ASSERT_NE(lava, nullptr);
        ASSERT_TRUE(enterTeaser(g, lava, shot + "enter"));
        // The start as the screen shows it: three stones lit, the others dark.
        g.frames(25);
        int mask = litMask(lava);
        const Screenshot start = g.screenshot(shot + "start");
        ASSERT_EQ(__builtin_popcount(mask), 3);
        EXPECT_EQ(litOnScreen(g, start, lava), mask) << brightnesses(g, start, lava);

        // The clicks that light all seven, each one's result seen in the stones' states.
        const size_t beforeClicks = g.soundBytes();
        std::optional<std::vector<int>> clicks = lavasolver::solve(lava->level, mask);
        ASSERT_TRUE(clicks && !clicks->empty()) << mask;
        size_t beforeWin = 0;
        for (int id : *clicks) {
            mask = lavasolver::afterClick(lava->level, mask, id);
            if (mask == lavasolver::ALL_LIT) {
                EXPECT_EQ(g.errors().find(message), std::string::npos) << "the chime is loaded for the win";
                beforeWin = g.soundBytes();
            }
            ASSERT_TRUE(clickStone(g, lava, id));
            ASSERT_TRUE(g.waitUntil([&] { return litMask(lava) == mask; }, 2)) << "after stone " << id;
        }
        ASSERT_TRUE(lava->solved);
        const size_t atWin = g.soundBytes();  // the chime is playing, if it could be loaded
        EXPECT_EQ(g.errors().find(message) != std::string::npos, cutShort) << g.errors();

        // The win is seen: the screen turns white, and once the flash has faded (2 s) all seven
        // stones stand lit.
        // (Its first frames are left out: the white comes at once, the fade's interpolation
        // leaves it out for one frame right after.)
        ASSERT_NE(flashOf(lava), nullptr);
        ASSERT_TRUE(g.waitUntil([&] { return flashOf(lava)->fadeTimer->time >= 0.1f; }, 10));
        const Screenshot flash = g.screenshot(shot + "flash");
        EXPECT_GT(flash.mean(0, 0, 1, 1).brightness(), 150) << flash.file;
        ASSERT_TRUE(g.waitUntil([&] { return flashOf(lava) == nullptr; }, 110));
        g.frame();
        const Screenshot won = g.screenshot(shot + "won");
        EXPECT_LT(won.mean(0, 0, 1, 1).brightness(), 80) << "the flash stays: " << won.file;
        EXPECT_EQ(litOnScreen(g, won, lava), lavasolver::ALL_LIT) << brightnesses(g, won, lava);

        // Heard or not: once the output holds the whole chime after the win (and the few
        // buffers the device is behind the mixer), the bursts of the stones lighting up are in
        // it, and the chime (under the novas' bursts, which blur its shape) when it could be
        // loaded.
        const size_t behind = 4 * 1024 * 4;  // four of SDL's buffers of 1024 stereo frames
        ASSERT_TRUE(g.waitUntil([&] { return g.soundBytes() >= atWin + victoryBytes + behind; }, 5000))
            << g.soundBytes() - atWin << " bytes of " << victoryBytes + behind;
        EXPECT_TRUE(soundPlayedSince(g.soundFile(), "impulse.wav", beforeClicks));
        EXPECT_EQ(soundPlayedSince(g.soundFile(), "victory.wav", beforeWin, VICTORY_SIMILARITY), !cutShort)
            << "at a similarity of 0.3: " << soundPlayedSince(g.soundFile(), "victory.wav", beforeWin, 0.3)
            << "; " << g.soundBytes() - atWin << " bytes since the win";

        EXPECT_TRUE(leaveTheGame(g));
    });
    EXPECT_TRUE(game.ended());
    EXPECT_NE(game.log().find("Quit send\n"), std::string::npos);
    EXPECT_EQ(game.window, nullptr);
}

INSTANTIATE_TEST_SUITE_P(DamagedPackPlayTest, VictorySound, testing::Bool(),
                         [](const testing::TestParamInfo<bool>& info) {
                             return std::string(info.param ? "cutShort" : "intact");
                         });

}  // namespace
