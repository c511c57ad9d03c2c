// The runes teaser in the whole game, as a player meets it: the first level entered from the
// gallery by a click on its icon, then the fade; the runes show their symbols, the bar comes
// up, each rune is given the symbol it showed with the symbol buttons (the cursor starts at
// the first rune and moves on with every symbol), and the check button gives a green mark.
// The next stage is answered with a symbol that no rune showed: a red mark beside the green
// one, and the stage is to be tried again. Escape, the gallery, the exit screen: a clean end.
// The symbols are read from the runes; what the screen shows is checked where the game puts
// the buttons and the marks. Screenshots: build/screenshots/runes-stages-<build>-*.png.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "game/runes/Button.h"
#include "game/runes/Result.h"
#include "game/runes/Rune.h"
#include "game/runes/Runes.h"
#include "play/TeaserEntry.h"
#include "scene/Picking.h"
#include "support/PlayedGame.h"
#include "support/WindowPoint.h"
#include "window/Timer.h"

namespace {

using namespace teaser_entry;

#ifdef QUANDRELS_TEST_FIXED_BUILD
const std::string SHOT = "runes-stages-fixed-";
#else
const std::string SHOT = "runes-stages-shader-";
#endif

Runes* runesOfLevel(PlayedGame& g, int level) {
    for (Display* d : g.displays) {
        Runes* runes = dynamic_cast<Runes*>(d);
        if (runes && runes->level == level) return runes;
    }
    return nullptr;
}

Rune* runeOf(Runes* runes, int index) {
    for (Component* c : runes->runeScene->children) {
        Rune* rune = dynamic_cast<Rune*>(c);
        if (rune && rune->index == index) return rune;
    }
    return nullptr;
}

Result* markOf(Runes* runes, int nth) {
    return nth < runes->answerRow->children.size() ? dynamic_cast<Result*>(runes->answerRow->children.at(nth))
                                                   : nullptr;
}

// The mean colour of a small box around where the rune scene shows `node`.
Rgb colourAt(PlayedGame& g, const Screenshot& shot, Runes* runes, Transform* node) {
    const Vector2 at = windowPointOf(runes->runeScene, g.window, node);
    return shot.mean(at.x - 0.008, at.y - 0.012, at.x + 0.008, at.y + 0.012);
}

bool green(Rgb c) { return c.g > 110 && c.g - c.r > 60; }
bool red(Rgb c) { return c.r > 110 && c.r - c.g > 60; }
bool yellow(Rgb c) { return c.r > 60 && c.g > 60 && (c.r + c.g) / 2 - c.b > 40; }

std::string text(Rgb c) {
    return "(" + std::to_string(static_cast<int>(c.r)) + ", " + std::to_string(static_cast<int>(c.g)) + ", " +
           std::to_string(static_cast<int>(c.b)) + ")";
}

// A click on a button of the bar where the game shows it; the game's picking finds that
// button there. The release is read by the next frame.
testing::AssertionResult clickButton(PlayedGame& g, Runes* runes, Button* button) {
    const Vector2 at = windowPointOf(runes->runeScene, g.window, button);
    if (pick<Button>(g.window, runes->runeScene, at) != button)
        return testing::AssertionFailure() << "another object covers the button at " << at.x << ", " << at.y;
    g.click(at.x, at.y);
    return testing::AssertionSuccess();
}

// A stage's runes have shown and faded, and the bar has come all the way up (7 s of showing,
// waited out in steps of a tenth of a second; 1 s of the bar).
testing::AssertionResult barUp(PlayedGame& g, Runes* runes) {
    const uint32_t frameMs = g.frameMs;
    g.frameMs = 100;
    const bool shown = g.waitUntil([&] { return runes->phase == Runes::Phase::ANSWERING; }, 80);
    g.frameMs = frameMs;
    if (!shown) return testing::AssertionFailure() << "the runes still show";
    if (!g.waitUntil([&] { return !runes->barUpTimer->running; }, 60))
        return testing::AssertionFailure() << "the bar does not come up";
    return testing::AssertionSuccess();
}

TEST(RunesStagesPlayTest, AStageAnsweredRightGivesAGreenMarkTheNextAnsweredWrongARedOneBesideIt) {
    PlayedGame game;
    game.play([&](PlayedGame& g) {
        Runes* runes = runesOfLevel(g, 1);
        ASSERT_NE(runes, nullptr);
        ASSERT_TRUE(enterTeaser(g, runes, SHOT + "enter"));
        EXPECT_EQ(runes->stage, 0);
        EXPECT_EQ(runes->phase, Runes::Phase::SHOWING);

        // All four runes show their symbols at once, in yellow, from the first second on.
        ASSERT_TRUE(g.waitUntil([&] { return runeOf(runes, 0)->showTimer->time > 2; }, 150));
        const Screenshot showing = g.screenshot(SHOT + "showing");
        int shown[4];
        for (int i = 0; i < runes->runeCount; i++) {
            Rune* rune = runeOf(runes, i);
            ASSERT_NE(rune, nullptr);
            shown[i] = rune->type;
            const Vector2 at = windowPointOf(runes->runeScene, g.window, rune);
            const Rgb tile = showing.mean(at.x - 0.04, at.y - 0.07, at.x + 0.04, at.y + 0.07);
            EXPECT_TRUE(yellow(tile)) << "rune " << i << " " << text(tile) << " in " << showing.file;
        }

        // Answered from memory: the cursor starts at the first rune.
        ASSERT_TRUE(barUp(g, runes));
        const Screenshot answering = g.screenshot(SHOT + "answering");
        const Rgb check = colourAt(g, answering, runes, runes->checkButton);
        EXPECT_TRUE(green(check)) << "the check button " << text(check) << " in " << answering.file;
        EXPECT_EQ(runes->cursor, 0);
        for (int i = 0; i < runes->runeCount; i++)
            ASSERT_TRUE(clickButton(g, runes, runes->typeButtons[shown[i]]));
        ASSERT_TRUE(clickButton(g, runes, runes->checkButton));
        ASSERT_TRUE(g.waitUntil([&] { return runes->answerRow->children.size() == 1; }, 2));
        Result* right = markOf(runes, 0);
        ASSERT_NE(right, nullptr);
        EXPECT_TRUE(right->success);
        EXPECT_EQ(runes->stage, 1);
        // The mark fades in and shrinks into its place in half a second.
        ASSERT_TRUE(g.waitUntil([&] { return !right->fadeTimer->running; }, 30));
        const Screenshot rightShot = g.screenshot(SHOT + "right");
        const Rgb greenMark = colourAt(g, rightShot, runes, right);
        EXPECT_TRUE(green(greenMark)) << text(greenMark) << " in " << rightShot.file;

        // The next stage shows after the bar has gone down; at the first three stages the
        // runes show two kinds of symbol, so two symbols are shown by none.
        ASSERT_TRUE(g.waitUntil([&] { return runes->phase == Runes::Phase::SHOWING; }, 60));
        int unshown = -1;
        for (int type = Rune::TYPES - 1; type >= 0 && unshown < 0; type--) {
            bool isShown = false;
            for (int i = 0; i < runes->runeCount; i++) isShown = isShown || runeOf(runes, i)->type == type;
            if (!isShown) unshown = type;
        }
        ASSERT_GE(unshown, 0);
        ASSERT_TRUE(barUp(g, runes));
        for (int i = 0; i < runes->runeCount; i++)
            ASSERT_TRUE(clickButton(g, runes, runes->typeButtons[unshown]));
        ASSERT_TRUE(clickButton(g, runes, runes->checkButton));
        ASSERT_TRUE(g.waitUntil([&] { return runes->answerRow->children.size() == 2; }, 2));
        Result* wrong = markOf(runes, 1);
        ASSERT_NE(wrong, nullptr);
        EXPECT_FALSE(wrong->success);
        EXPECT_EQ(runes->stage, 1) << "the stage is to be tried again";
        EXPECT_EQ(runes->failures[1], 1);
        // Beside the green mark: the next column of the same row.
        EXPECT_FLOAT_EQ(wrong->position.x - right->position.x,
                        Runes::markPosition(1, 0).x - Runes::markPosition(0, 0).x);
        EXPECT_FLOAT_EQ(wrong->position.y, right->position.y);
        ASSERT_TRUE(g.waitUntil([&] { return !wrong->fadeTimer->running; }, 30));
        const Screenshot wrongShot = g.screenshot(SHOT + "wrong");
        const Rgb redMark = colourAt(g, wrongShot, runes, wrong);
        EXPECT_TRUE(red(redMark)) << text(redMark) << " in " << wrongShot.file;
        const Rgb greenStill = colourAt(g, wrongShot, runes, right);
        EXPECT_TRUE(green(greenStill)) << text(greenStill) << " in " << wrongShot.file;

        // The same stage shows again.
        ASSERT_TRUE(g.waitUntil([&] { return runes->phase == Runes::Phase::SHOWING; }, 60));
        EXPECT_EQ(runes->stage, 1);
        EXPECT_TRUE(leaveTheGame(g));
    });
    EXPECT_TRUE(game.ended());
    EXPECT_NE(game.log().find("Quit send\n"), std::string::npos);
    EXPECT_EQ(game.window, nullptr) << "start() shut the game down";
}

}  // namespace
