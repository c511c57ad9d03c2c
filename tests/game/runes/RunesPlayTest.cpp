// The runes teaser played through the whole game in both builds, with the platform's own
// input pushed into the running game: entered from the gallery, a stage answered right and
// one answered wrong, Escape back to the gallery and in again; and each level's pictures
// while showing and while answering (build/screenshots/play-runes-*).
#include <gtest/gtest.h>

#include <string>

#include "game/gallery/Gallery.h"
#include "game/gallery/Icon.h"
#include "game/runes/Button.h"
#include "game/runes/Result.h"
#include "game/runes/Rune.h"
#include "game/runes/Runes.h"
#include "scene/Camera.h"
#include "scene/MeshRenderer.h"
#include "scene/Scene.h"
#include "support/IconOnScreen.h"
#include "support/PlayedGame.h"
#include "support/WindowPoint.h"
#include "window/Window.h"

namespace {

#ifdef QUANDRELS_TEST_FIXED_BUILD
const std::string BUILD = "fixed";
#else
const std::string BUILD = "shader";
#endif

Vector2 onScreen(PlayedGame& g, Scene* scene, Transform* node) {
    return windowPointOf(scene, g.window, node);
}

void clickAt(PlayedGame& g, Vector2 at) { g.click(at.x, at.y); }

Runes* runesOfLevel(PlayedGame& g, int level) {
    for (Display* d : g.displays) {
        if (Runes* r = dynamic_cast<Runes*>(d)) {
            if (r->level == level) return r;
        }
    }
    return nullptr;
}

bool shown(PlayedGame& g, Display* d) { return g.window->display == d && !g.sharedLayer->plane->visible; }

// From the gallery into a teaser: a click on its icon wherever the carousel has it.
void enter(PlayedGame& g, Display* teaser) {
    Gallery* gallery = dynamic_cast<Gallery*>(g.gallery);
    ASSERT_NE(gallery, nullptr);
    ASSERT_TRUE(g.waitUntil([&] { return shown(g, gallery); }, 200));
    // The carousel comes to rest.
    g.frames(150);
    Icon* icon = nullptr;
    for (Component* c : gallery->iconScene->children) {
        if (Icon* i = dynamic_cast<Icon*>(c); i && i->display == teaser) icon = i;
    }
    ASSERT_NE(icon, nullptr);
    clickAt(g, windowPointOf(gallery, g.window, icon));
    ASSERT_TRUE(g.waitUntil([&] { return shown(g, teaser); }, 200));
}

bool answering(Runes* r) { return r->phase == Runes::Phase::ANSWERING; }

// The showing runs its 7 s; the bar comes up in 1 s.
void waitForAnswering(PlayedGame& g, Runes* r) {
    ASSERT_TRUE(g.waitUntil([&] { return answering(r); }, 450));
    g.frames(55);
}

Rune* runeOf(Runes* r, int index) {
    for (Component* c : r->runeScene->children) {
        if (Rune* rune = dynamic_cast<Rune*>(c); rune && rune->index == index) return rune;
    }
    return nullptr;
}

void give(PlayedGame& g, Runes* r, int index, int type) {
    clickAt(g, onScreen(g, r->runeScene, runeOf(r, index)));
    clickAt(g, onScreen(g, r->runeScene, r->typeButtons[type]));
}

Result* lastMark(Runes* r) {
    int n = r->answerRow->children.size();
    return n > 0 ? dynamic_cast<Result*>(r->answerRow->children.get(n - 1)) : nullptr;
}

TEST(RunesPlayTest, AStageAnsweredRightThenOneAnsweredWrongAndBackAgain) {
    PlayedGame game;
    game.play([&](PlayedGame& g) {
        Runes* r = runesOfLevel(g, 1);
        ASSERT_NE(r, nullptr);
        enter(g, r);
        EXPECT_EQ(r->phase, Runes::Phase::SHOWING);
        waitForAnswering(g, r);

        // Each rune gets the symbol it showed.
        for (int i = 0; i < r->runeCount; i++) give(g, r, i, runeOf(r, i)->type);
        clickAt(g, onScreen(g, r->runeScene, r->checkButton));
        g.frames(1);
        ASSERT_EQ(r->stage, 1);
        Result* green = lastMark(r);
        ASSERT_NE(green, nullptr);
        EXPECT_TRUE(green->success);
        g.frames(20);  // the mark fades in and shrinks into place
        Screenshot right = g.screenshot("play-runes-right-" + BUILD);
        Vector2 at = onScreen(g, r->runeScene, green);
        Rgb mark = right.mean(at.x - 0.01, at.y - 0.015, at.x + 0.01, at.y + 0.015);
        EXPECT_GT(mark.g, 100) << "a green mark, see " << right.file;
        EXPECT_LT(mark.r, 100) << "see " << right.file;
        // The next stage begins: the runes show again.
        ASSERT_TRUE(g.waitUntil([&] { return r->phase == Runes::Phase::SHOWING; }, 80));
        EXPECT_EQ(r->stage, 1);

        // Stage 1 answered wrong: a red mark, and stage 1 again.
        waitForAnswering(g, r);
        give(g, r, 0, (runeOf(r, 0)->type + 1) % 4);
        clickAt(g, onScreen(g, r->runeScene, r->checkButton));
        g.frames(1);
        EXPECT_EQ(r->stage, 1);
        EXPECT_EQ(r->failures[1], 1);
        Result* red = lastMark(r);
        ASSERT_NE(red, nullptr);
        EXPECT_FALSE(red->success);
        g.frames(20);
        Screenshot wrong = g.screenshot("play-runes-wrong-" + BUILD);
        at = onScreen(g, r->runeScene, red);
        mark = wrong.mean(at.x - 0.01, at.y - 0.015, at.x + 0.01, at.y + 0.015);
        EXPECT_GT(mark.r, 100) << "a red mark, see " << wrong.file;
        EXPECT_LT(mark.g, 100) << "see " << wrong.file;
        ASSERT_TRUE(g.waitUntil([&] { return r->phase == Runes::Phase::SHOWING; }, 80));
        EXPECT_EQ(r->stage, 1);

        // Escape fades back to the gallery; the trial waits there as it was.
        g.frames(100);
        int shownFor = static_cast<int>(runeOf(r, 0)->showTimer->time * 1000);
        g.escape();
        ASSERT_TRUE(g.waitUntil([&] { return shown(g, g.gallery); }, 120));
        enter(g, r);
        EXPECT_EQ(r->stage, 1);
        EXPECT_EQ(r->failures[1], 1);
        EXPECT_EQ(r->answerRow->children.size(), 2);
        EXPECT_EQ(r->phase, Runes::Phase::SHOWING);
        // The showing went on only while the teaser was shown (the half-seconds of the fades).
        EXPECT_NEAR(runeOf(r, 0)->showTimer->time * 1000, shownFor + 1000, 100);
    });
}

TEST(RunesPlayTest, EachLevelWhileShowingAndWhileAnswering) {
    PlayedGame game;
    game.play([&](PlayedGame& g) {
        for (int level = 1; level <= 3; level++) {
            SCOPED_TRACE("level " + std::to_string(level));
            Runes* r = runesOfLevel(g, level);
            ASSERT_NE(r, nullptr);
            enter(g, r);
            g.frames(150);
            std::string name = "play-runes-level" + std::to_string(level);
            Screenshot showing = g.screenshot(name + "-showing-" + BUILD);
            EXPECT_FALSE(showing.black());
            // Yellow symbols on the runes.
            Vector2 at = onScreen(g, r->runeScene, runeOf(r, 0));
            Rgb rune = showing.mean(at.x - 0.05, at.y - 0.08, at.x + 0.05, at.y + 0.08);
            EXPECT_GT(rune.r, 60) << "see " << showing.file;
            waitForAnswering(g, r);
            give(g, r, 0, runeOf(r, 0)->type);
            g.frames(10);
            Screenshot answering = g.screenshot(name + "-answering-" + BUILD);
            at = onScreen(g, r->runeScene, r->checkButton);
            Rgb check = answering.mean(at.x - 0.01, at.y - 0.015, at.x + 0.01, at.y + 0.015);
            EXPECT_GT(check.g, 100) << "the check button, see " << answering.file;
            g.escape();
            ASSERT_TRUE(g.waitUntil([&] { return shown(g, g.gallery); }, 120));
        }
    });
}

}  // namespace
