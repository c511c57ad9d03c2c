// Each level with the game's own pictures, while the runes show and while the player answers,
// saved beside the build (build/screenshots/runes-*) and checked for what must be seen: the
// symbols glowing yellow on their tiles, then the bar of buttons, the green mark of the
// answered stage and the given symbols.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "RunesGame.h"
#include "game/runes/Button.h"
#include "game/runes/Rune.h"
#include "window/Window.h"

namespace {

#ifdef QUANDRELS_TEST_FIXED_BUILD
const char* const BUILD = "fixed";
#else
const char* const BUILD = "shader";
#endif

std::string screenshot(int level, const char* moment) {
    std::string shots = std::string(QUANDRELS_BINARY_DIR) + "/screenshots";
    mkdir(shots.c_str(), 0777);
    return shots + "/runes-level" + std::to_string(level) + "-" + moment + "-" + BUILD + ".png";
}

bool yellow(unsigned int c) { return red(c) > 180 && green(c) > 180 && blue(c) < 150; }
bool bright(unsigned int c) { return red(c) + green(c) + blue(c) > 450; }

// Pixels of a kind within the square of half-size `half` (window pixels) around a point.
template <class Test>
int countAround(RunesGame& g, Vector2 at, int half, Test test) {
    int cx = static_cast<int>(at.x * 854), cy = static_cast<int>(at.y * 480);
    int found = 0;
    for (int y = cy - half; y <= cy + half; y += 2) {
        for (int x = cx - half; x <= cx + half; x += 2) found += test(g.pixel(x, y)) ? 1 : 0;
    }
    return found;
}

TEST(RunesPicturesTest, EachLevelWhileShowingAndWhileAnswering) {
    for (int level = 1; level <= 3; level++) {
        SCOPED_TRACE("level " + std::to_string(level));
        RunesGame g(level, std::string(QUANDRELS_BINARY_DIR) + "/Quandrels.dat");
        Runes* r = g.runes;

        g.run(3, 0.1f);
        g.frame(0.02f);
        g.saveScreenshot(screenshot(level, "showing"));
        for (int i = 0; i < r->runeCount; i++) {
            EXPECT_GT(countAround(g, g.windowPointOf(g.rune(i)), 30, yellow), 20) << "rune " << i;
        }

        // Stage 0 answered right; at stage 1 the first two runes are given their symbols.
        g.untilAnswering();
        g.answerRight();
        g.clickOn(r->checkButton);
        g.untilAnswering();
        g.clickOn(r->typeButtons[g.rune(0)->type]);
        g.clickOn(r->typeButtons[g.rune(1)->type]);
        g.run(0.5f, 0.1f);
        g.frame(0.02f);
        g.saveScreenshot(screenshot(level, "answering"));
        for (int t = 0; t < 4; t++) {
            EXPECT_GT(countAround(g, g.windowPointOf(r->typeButtons[t]), 20, bright), 5) << "button " << t;
        }
        auto green = [](unsigned int c) { return ::green(c) > 150 && ::red(c) < 120; };
        EXPECT_GT(countAround(g, g.windowPointOf(r->checkButton), 20, green), 5) << "check button";
        EXPECT_GT(countAround(g, g.windowPointOf(r->answerRow->children.get(0)), 12, green), 3) << "mark";
        EXPECT_GT(countAround(g, g.windowPointOf(g.rune(0)), 30, yellow), 20) << "answered rune";
        EXPECT_EQ(countAround(g, g.windowPointOf(g.rune(2)), 30, yellow), 0) << "rune without answer";
    }
}

}  // namespace
