// The gallery as a player meets it in the whole game (the real start-up, data pack and
// frame loop on a 20 ms clock, SDL input pushed into the running game): it opens on the
// gallery, which turns about two turns and rests with the fourth icon in front; a drag
// spins it; a click on the icon in front sinks it and plays "pau.wav"; a click on the icon
// without a teaser shows the top band; Escape shows the exit screen, where a click ends
// the game. The gallery at rest is kept as build/screenshots/play-gallery-<build>.png.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>

#include "game/gallery/CheckText.h"
#include "game/gallery/FullscreenText.h"
#include "game/gallery/Gallery.h"
#include "game/gallery/Icon.h"
#include "play/ExitPicture.h"
#include "play/GalleryBackdrop.h"
#include "scene/MeshRenderer.h"
#include "scene/Scene.h"
#include "support/IconOnScreen.h"
#include "support/OverlayArea.h"
#include "support/PlayedGame.h"
#include "support/SoundMatch.h"
#include "window/Timer.h"
#include "window/Window.h"

namespace {

#ifdef QUANDRELS_TEST_FIXED_BUILD
const std::string BUILD = "fixed";
#else
const std::string BUILD = "shader";
#endif

Gallery* galleryOf(PlayedGame& g) { return dynamic_cast<Gallery*>(g.gallery); }

// The game is up on the gallery and has drawn it with its letter box.
bool galleryShown(PlayedGame& g) {
    return g.window && g.window->display == g.gallery && g.gallery->viewport.width > 0 && g.frameCount >= 2;
}

// The carousel has come to rest (a thousandth of a turn per second at most).
bool atRest(Gallery* gallery) { return gallery->spinSpeed < 1e-5f; }

Icon* iconAt(Gallery* gallery, int child) {
    return dynamic_cast<Icon*>(gallery->iconScene->children.at(child));
}

// How far the shown picture is from the bare backdrop in a box of 40 x 20 overlay units
// around a window point (the 854 x 480 window's letter box is the whole window but its last
// row).
double differenceFromBackdrop(const Screenshot& shot, Vector2 at) {
    const double x = at.x * 911, y = at.y * 480 / 479 * 512;
    return differenceFromBackdrop(shot, x - 20, y - 10, x + 20, y + 10);
}

TEST(GalleryPlayTest, TheGameOpensOnTheGalleryWhichRestsAfterAboutTwoTurns) {
    PlayedGame game;
    game.play([&](PlayedGame& g) {
        ASSERT_TRUE(g.waitUntil([&] { return galleryShown(g); }, 10));
        Gallery* gallery = galleryOf(g);
        ASSERT_NE(gallery, nullptr);
        EXPECT_EQ(g.window->viewport.width, 854);
        ASSERT_TRUE(g.waitUntil([&] { return atRest(gallery); }, 300));
        EXPECT_GE(gallery->rotation, 1.8f);
        EXPECT_LE(gallery->rotation, 2.2f);

        Screenshot rest = g.screenshot("play-gallery-" + BUILD);
        ASSERT_EQ(rest.width, 854);
        EXPECT_FALSE(rest.black());
        // Whole turns bring the fourth icon ("icon3.png", the hardest lava stones) back to the
        // front: three red dots. The icons stand out from the backdrop along their way.
        for (MeshRenderer* dot : gallery->difficultyDots) {
            const Vector3 at = dot->localMatrix.getBase();
            Rgb seen = rest.overlayMean(at.x - 6, at.y - 6, at.x + 6, at.y + 6);
            EXPECT_GT(seen.r, 150) << at.x << " in " << rest.file;
            EXPECT_LT(seen.g, 90) << at.x << " in " << rest.file;
        }
        Vector2 front = windowPointOf(gallery, g.window, iconAt(gallery, 4));
        EXPECT_NEAR(front.x, 0.5f, 0.02f);
        for (int child = 3; child <= 5; child++) {
            EXPECT_GT(differenceFromBackdrop(rest, windowPointOf(gallery, g.window, iconAt(gallery, child))),
                      20)
                << "icon " << child << " in " << rest.file;
        }
        // The hint is still on at the bottom; it is gone after nine seconds.
        FullscreenText* text = nullptr;
        for (Component* c : gallery->overlayScene->children) {
            if (!text) text = dynamic_cast<FullscreenText*>(c);
        }
        ASSERT_NE(text, nullptr);
        const OverlayArea bottom = middleOf(text, 0.6f, 0.5f);
        const double hint =
            rest.overlayMean(bottom.left, bottom.top, bottom.right, bottom.bottom).brightness();
        g.frames(400);
        const double gone =
            g.screenshot("").overlayMean(bottom.left, bottom.top, bottom.right, bottom.bottom).brightness();
        EXPECT_GT(hint, gone + 15) << rest.file;

        // Escape, then Escape on the exit screen.
        g.escape();
        g.frames(2);
        g.escape();
        EXPECT_TRUE(g.waitForEnd(5));
    });
}

TEST(GalleryPlayTest, ADragSpinsTheCarouselWithoutPressingAnIcon) {
    PlayedGame game;
    game.play([&](PlayedGame& g) {
        ASSERT_TRUE(g.waitUntil([&] { return galleryShown(g); }, 10));
        Gallery* gallery = galleryOf(g);
        ASSERT_TRUE(g.waitUntil([&] { return atRest(gallery); }, 300));
        const float rested = gallery->rotation;
        const Screenshot before = g.screenshot("");

        // Across the carousel to the right, in ten frames.
        g.drag(0.3, 0.55, 0.7, 0.55, 10);
        EXPECT_GT(gallery->spinSpeed, 0.02f);
        g.frames(100);
        EXPECT_GT(gallery->rotation - rested, 0.3f);
        for (int child = 1; child <= 8; child++) EXPECT_FALSE(iconAt(gallery, child)->pressTimer->running);
        double changed = 0;
        Screenshot after = g.screenshot("");
        for (size_t i = 0; i < after.rgb.size(); i++) changed += std::abs(after.rgb[i] - before.rgb[i]);
        EXPECT_GT(changed / after.rgb.size(), 2.0) << "the icons moved";

        // Dragging the other way spins backwards.
        g.drag(0.7, 0.55, 0.3, 0.55, 10);
        EXPECT_LT(gallery->spinSpeed, -0.02f);
        g.escape();
        g.frames(2);
        g.escape();
        EXPECT_TRUE(g.waitForEnd(5));
    });
}

TEST(GalleryPlayTest, AClickOnTheIconInFrontSinksItAndPlaysItsSound) {
    PlayedGame game;
    game.recordSound = true;
    game.paced = true;  // the audio device writes in real time
    game.play([&](PlayedGame& g) {
        ASSERT_TRUE(g.waitUntil([&] { return galleryShown(g); }, 10));
        Gallery* gallery = galleryOf(g);
        ASSERT_TRUE(g.waitUntil([&] { return atRest(gallery); }, 300));
        ASSERT_TRUE(g.waitUntil([&] { return g.soundBytes() > 0; }, 100));
        const size_t before = g.soundBytes();
        EXPECT_FALSE(audibleSince(g.soundFile())) << "the gallery is silent until a click";

        Icon* front = iconAt(gallery, 4);
        Vector2 at = windowPointOf(gallery, g.window, front);
        g.click(at.x, at.y);
        ASSERT_TRUE(g.waitUntil([&] { return front->pressTimer->running; }, 2));
        for (int child = 1; child <= 8; child++) {
            EXPECT_EQ(iconAt(gallery, child)->pressTimer->running, child == 4) << child;
        }
        // Sunk at the middle of the press, back at its end.
        EXPECT_TRUE(g.waitUntil([&] { return front->depth < Icon::REST_DEPTH - 1.2f; }, 10));
        EXPECT_TRUE(g.waitUntil([&] { return front->depth == Icon::REST_DEPTH; }, 20));
        EXPECT_TRUE(
            g.waitUntil([&] { return soundPlayedSince(g.soundFile(), Gallery::PRESS_SOUND, before); }, 150));
        // The press leads into the icon's teaser when it has one; Escape fades back.
        if (front->display) {
            ASSERT_TRUE(g.waitUntil([&] { return g.window->display == front->display; }, 100));
            ASSERT_TRUE(g.waitUntil([&] { return !g.sharedLayer->plane->visible; }, 100));
            g.escape();
            ASSERT_TRUE(g.waitUntil([&] { return g.window->display == g.gallery; }, 100));
            ASSERT_TRUE(g.waitUntil([&] { return !g.sharedLayer->plane->visible; }, 100));
        }
        g.escape();
        ASSERT_TRUE(g.waitUntil([&] { return g.window->display == g.exitDisplay; }, 10));
        g.escape();
        EXPECT_TRUE(g.waitForEnd(5));
    });
}

TEST(GalleryPlayTest, AClickOnTheIconWithoutATeaserShowsTheTopBand) {
    PlayedGame game;
    game.play([&](PlayedGame& g) {
        ASSERT_TRUE(g.waitUntil([&] { return galleryShown(g); }, 10));
        Gallery* gallery = galleryOf(g);
        ASSERT_TRUE(g.waitUntil([&] { return atRest(gallery); }, 300));
        // Half a turn on, the last icon ("icon7.png") stands in front, with no dots.
        gallery->rotation += 0.5f;
        g.frames(2);
        Icon* empty = iconAt(gallery, 8);
        ASSERT_EQ(empty->display, nullptr);
        const Screenshot before = g.screenshot("play-gallery-icon7-" + BUILD);
        for (MeshRenderer* dot : gallery->difficultyDots) EXPECT_EQ(dot->ambientColor.a, 0.0f);

        Vector2 at = windowPointOf(gallery, g.window, empty);
        g.click(at.x, at.y);
        g.frames(3);
        EXPECT_TRUE(empty->pressTimer->running);
        EXPECT_TRUE(gallery->checkText->fadeTimer->running);
        const Screenshot shown = g.screenshot("play-gallery-top-band-" + BUILD);
        const OverlayArea top = middleOf(gallery->checkText, 0.8f, 0.5f);
        const double band = shown.overlayMean(top.left, top.top, top.right, top.bottom).brightness();
        EXPECT_GT(band, before.overlayMean(top.left, top.top, top.right, top.bottom).brightness() + 15)
            << shown.file;

        // The press ends, and nothing follows: no fade, the gallery stays.
        g.frames(60);
        EXPECT_FALSE(g.sharedLayer->plane->visible);
        EXPECT_EQ(g.window->display, g.gallery);
        // The band goes after 4.5 s.
        g.frames(200);
        EXPECT_LT(g.screenshot("").overlayMean(top.left, top.top, top.right, top.bottom).brightness(),
                  band - 15);

        g.escape();
        g.frames(2);
        g.escape();
        EXPECT_TRUE(g.waitForEnd(5));
    });
}

TEST(GalleryPlayTest, EscapeShowsTheExitScreenWhereAClickEndsTheGame) {
    PlayedGame game;
    game.play([&](PlayedGame& g) {
        ASSERT_TRUE(g.waitUntil([&] { return galleryShown(g); }, 10));
        g.frames(20);
        g.escape();
        ASSERT_TRUE(g.waitUntil([&] { return g.window->display == g.exitDisplay; }, 2)) << "at once, no fade";
        EXPECT_FALSE(g.sharedLayer->plane->visible);
        g.frame();
        EXPECT_LT(differenceFromExitPicture(g.screenshot("play-gallery-exit-" + BUILD)), 10.0);
        g.click(0.5, 0.5);
        EXPECT_TRUE(g.waitForEnd(5));
    });
    EXPECT_TRUE(game.ended());
    EXPECT_NE(game.log().find("Quit send\n"), std::string::npos);
}

}  // namespace
