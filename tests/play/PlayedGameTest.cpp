// The in-process play harness on the game as it stands: the real start-up opens on the
// gallery, from which Escape leads to the exit screen, which the screenshots show; the fixed
// frame clock makes the fade's darkness a known figure at a known frame; pushed Escape,
// clicks and Alt+Return reach the game; the fullscreen toggle keeps the display; what the
// mixer plays is found in the disk audio output.
#include <gtest/gtest.h>

#include <string>

#include "app/SharedLayer.h"
#include "audio/AudioPlayer.h"
#include "game/ExitDisplay.h"
#include "play/ExitPicture.h"
#include "resources/Resource.h"
#include "resources/Resources.h"
#include "scene/MeshRenderer.h"
#include "support/PlayedGame.h"
#include "support/SoundMatch.h"
#include "support/XScreen.h"
#include "window/Window.h"

namespace {

#ifdef QUANDRELS_TEST_FIXED_BUILD
const std::string BUILD = "fixed";
#else
const std::string BUILD = "shader";
#endif

// The exit screen is up and has drawn with its letter box.
bool exitScreenShown(PlayedGame& g) {
    return g.window && g.window->display == g.exitDisplay && g.exitDisplay->viewport.width > 0 &&
           g.frameCount >= 2;
}

// The game opens on the gallery; Escape there switches straight to the exit screen, whose
// first frame draws before its letter box is known: one frame more shows its picture.
bool reachExitScreen(PlayedGame& g) {
    if (!g.waitUntil([&] { return g.window && g.window->display == g.gallery && g.frameCount >= 2; }, 10))
        return false;
    g.escape();
    if (!g.waitUntil([&] { return g.window->display == g.exitDisplay; }, 5)) return false;
    g.frame();
    return exitScreenShown(g);
}

TEST(PlayedGameTest, EscapeOnTheGalleryShowsTheExitScreenAndAClickEndsTheGame) {
    PlayedGame game;
    game.play([&](PlayedGame& g) {
        ASSERT_TRUE(reachExitScreen(g));
        EXPECT_EQ(g.window->viewport.width, 854);
        EXPECT_EQ(g.window->viewport.height, 480);
        Screenshot shot = g.screenshot("play-exit-" + BUILD);
        ASSERT_EQ(shot.width, 854);
        ASSERT_EQ(shot.height, 480);
        EXPECT_FALSE(shot.black());
        EXPECT_LT(differenceFromExitPicture(shot), 10.0) << "see " << shot.file;
        // In the overlay's units (the picture's x less 56): the bright title, the dark sky.
        EXPECT_GT(shot.overlayMean(300, 130, 610, 200).r, 100);
        EXPECT_LT(shot.overlayMean(44, 20, 244, 100).brightness(), 20);

        g.click(0.5, 0.5);
        EXPECT_TRUE(g.waitForEnd(5));
        EXPECT_FALSE(g.frame()) << "no frame after the end";
    });
    EXPECT_TRUE(game.ended());
    EXPECT_NE(game.log().find("Quit send\n"), std::string::npos) << game.log();
    EXPECT_EQ(game.window, nullptr) << "start() shut the game down";
}

TEST(PlayedGameTest, EscapeEndsTheGame) {
    PlayedGame game;
    game.play([&](PlayedGame& g) {
        ASSERT_TRUE(reachExitScreen(g));
        const int before = g.frameCount;
        g.escape();
        EXPECT_TRUE(g.waitForEnd(5));
        EXPECT_LE(g.frameCount - before, 3) << "Escape is read by the next frame, the quit by the one after";
    });
    EXPECT_TRUE(game.ended());
}

// A second exit screen for the fade to go to: the game has no other display yet.
ExitDisplay* secondExitScreen(PlayedGame& g) {
    auto* second = new ExitDisplay(&g);
    g.displays.add(second);  // the game deletes it with the others
    return second;
}

TEST(PlayedGameTest, TheFixedClockPutsTheFadeAtKnownFrames) {
    PlayedGame game;
    game.play([&](PlayedGame& g) {
        ASSERT_TRUE(reachExitScreen(g));
        const double full = g.screenshot("").mean(0, 0, 1, 1).brightness();
        ASSERT_GT(full, 20) << "the exit picture is not dark";
        ExitDisplay* second = secondExitScreen(g);

        // Half a second to black, the switch, half a second back, at 20 ms a frame whatever
        // the machine's speed: the tenth frame draws the black layer at 9 * 0.02 / 0.5.
        const int start = g.frameCount;
        g.sharedLayer->fadeTo(second);
        g.frames(10);
        EXPECT_FLOAT_EQ(g.sharedLayer->plane->ambientColor.a, 0.36f);
        EXPECT_NEAR(g.screenshot("play-fade-36-" + BUILD).mean(0, 0, 1, 1).brightness(), 0.64 * full,
                    0.015 * full + 0.5);
        g.frames(16);
        EXPECT_NEAR(g.sharedLayer->plane->ambientColor.a, 1.0f, 1e-4);
        EXPECT_LT(g.screenshot("play-fade-black-" + BUILD).mean(0, 0, 1, 1).brightness(), 0.02 * full + 1);
        EXPECT_EQ(g.window->display, second) << "switched at full black";
        g.frames(10);
        EXPECT_NEAR(g.screenshot("").mean(0, 0, 1, 1).brightness(),
                    (1 - g.sharedLayer->plane->ambientColor.a) * full, 0.015 * full + 0.5);
        EXPECT_TRUE(g.waitUntil([&] { return !g.sharedLayer->plane->visible; }, 20));
        // The fade's timer ends when its clock passes 1 s, which the 51st step of 0.02 s does.
        EXPECT_EQ(g.frameCount - start, 51);
        g.frame();
        EXPECT_LT(differenceFromExitPicture(g.screenshot("")), 10.0);
        g.escape();
        EXPECT_TRUE(g.waitForEnd(5));
    });
    EXPECT_TRUE(game.ended());
}

// The window at this size, and the exit picture drawn in it.
bool showsTheExitPictureAt(PlayedGame& g, int width, int height) {
    return g.window->viewport.width == width && g.window->viewport.height == height &&
           differenceFromExitPicture(g.screenshot("")) < 10.0;
}

TEST(PlayedGameTest, AltReturnTogglesFullScreenAndBackKeepingTheDisplay) {
    PlayedGame game;
    game.paced = true;  // the window manager places windows in real time
    game.play([&](PlayedGame& g) {
        ASSERT_TRUE(reachExitScreen(g));
        g.altReturn();
        // Read by the next frame, which asks to quit; the frame after reads the quit.
        ASSERT_TRUE(g.waitUntil([&] { return g.toggles == 1; }, 3));
        EXPECT_TRUE(g.fullscreen);
        EXPECT_EQ(g.window->display, g.exitDisplay);
        ASSERT_TRUE(g.waitUntil(
            [&] { return showsTheExitPictureAt(g, PrivateScreen::WIDTH, PrivateScreen::HEIGHT); }, 250));
        Screenshot full = g.screenshot("play-exit-fullscreen-" + BUILD);
        EXPECT_EQ(full.width, PrivateScreen::WIDTH);
        EXPECT_EQ(full.height, PrivateScreen::HEIGHT);
        EXPECT_GT(g.exitDisplay->viewport.height, 1000);

        g.altReturn();
        ASSERT_TRUE(g.waitUntil([&] { return g.toggles == 2; }, 3));
        EXPECT_FALSE(g.fullscreen);
        EXPECT_EQ(g.window->display, g.exitDisplay);
        EXPECT_TRUE(g.waitUntil([&] { return showsTheExitPictureAt(g, 854, 480); }, 250))
            << g.window->viewport.width << "x" << g.window->viewport.height;
        Screenshot back = g.screenshot("play-exit-windowed-again-" + BUILD);
        EXPECT_EQ(back.width, 854);
        EXPECT_EQ(back.height, 480);
        EXPECT_EQ(g.exitDisplay->viewport.width, 854);
        g.click(0.5, 0.5);
        EXPECT_TRUE(g.waitForEnd(5));
    });
    EXPECT_TRUE(game.ended());
}

TEST(PlayedGameTest, AFadeGoesOnThroughAFullScreenToggle) {
    PlayedGame game;
    game.play([&](PlayedGame& g) {
        ASSERT_TRUE(reachExitScreen(g));
        ExitDisplay* second = secondExitScreen(g);
        const int start = g.frameCount;
        g.sharedLayer->fadeTo(second);
        g.frames(10);
        g.altReturn();
        ASSERT_TRUE(g.waitUntil([&] { return g.toggles == 1; }, 5));
        // Frames 11 and 12 read the key and the quit; the fade still has 0.76 s to go.
        EXPECT_TRUE(g.fullscreen);
        EXPECT_TRUE(g.sharedLayer->plane->visible);
        // Black at its middle (the 26th frame draws the 25th step), in the new window.
        g.frames(start + 26 - g.frameCount);
        EXPECT_NEAR(g.sharedLayer->plane->ambientColor.a, 1.0f, 1e-4);
        Screenshot black = g.screenshot("play-fade-black-fullscreen-" + BUILD);
        EXPECT_EQ(black.width, PrivateScreen::WIDTH);
        EXPECT_LT(black.mean(0, 0, 1, 1).brightness(), 0.5);
        EXPECT_TRUE(g.waitUntil([&] { return !g.sharedLayer->plane->visible; }, 100));
        EXPECT_EQ(g.window->display, second);
        // Every frame counted, the toggle's included: the fade ends 51 frames after it began.
        EXPECT_EQ(g.frameCount - start, 51);
        g.escape();
        EXPECT_TRUE(g.waitForEnd(5));
    });
}

TEST(PlayedGameTest, ThePlayedSoundIsFoundInTheDiskAudioOutput) {
    PlayedGame game;
    game.recordSound = true;
    game.paced = true;  // the audio device writes in real time
    game.play([&](PlayedGame& g) {
        ASSERT_TRUE(reachExitScreen(g));
        ASSERT_TRUE(AudioPlayer::isActive) << "SDL's disk audio driver is open";
        // The device writes silence until something plays.
        ASSERT_TRUE(g.waitUntil([&] { return g.soundBytes() > 0; }, 100));
        const size_t before = g.soundBytes();
        EXPECT_FALSE(audibleSince(g.soundFile()));

        SoundResource* pau = Resources::getSoundResource("pau.wav");
        ASSERT_NE(pau->getSound(), nullptr);
        AudioPlayer::play(pau->getSound());
        EXPECT_TRUE(g.waitUntil([&] { return soundPlayedSince(g.soundFile(), "pau.wav", before); }, 150));
        EXPECT_TRUE(audibleSince(g.soundFile(), before));
        EXPECT_FALSE(soundPlayedSince(g.soundFile(), "victory.wav", before));
        EXPECT_FALSE(soundPlayedSince(g.soundFile(), "impulse.wav", before));
        g.escape();
        EXPECT_TRUE(g.waitForEnd(5));
    });
}

}  // namespace
