// The gallery in both real programs, played through the X server (xdotool) on a private
// screen with a window manager, the sound going to SDL's disk audio output: each opens on
// the gallery, whose carousel comes to rest (kept as build/screenshots/gallery-<program>.png);
// a drag spins it; Escape shows the exit screen and a click there ends the program with
// status 0; a click on the carousel presses an icon, which plays "pau.wav". (Which icon
// stands where depends on the real frame times; the in-process play tests pick known icons.)
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <string>
#include <thread>

#include "play/CarouselRest.h"
#include "play/ExitPicture.h"
#include "play/GalleryBackdrop.h"
#include "play/ProgramChecks.h"
#include "support/ProgramPlay.h"
#include "support/SoundMatch.h"

namespace {

const char* const PROGRAMS[] = {"quandrels", "quandrels-fixed"};

TEST(GalleryProgramTest, OpensOnTheGalleryADragSpinsItAndEscapeLeadsOut) {
    for (const char* name : PROGRAMS) {
        SCOPED_TRACE(name);
        ProgramPlay game(name);
        ASSERT_TRUE(opened(game));

        Screenshot rest;
        ASSERT_TRUE(restsIn(game, &rest)) << game.log();
        rest = game.screenshot(std::string("gallery-") + name);
        // The sky at the top is the backdrop's; icons stand in the middle of the carousel.
        EXPECT_LT(differenceFromBackdrop(rest, 20, 20, 200, 60), 6) << rest.file;
        EXPECT_GT(differenceFromBackdrop(rest, 356, 180, 556, 320), 20) << rest.file;

        // A drag across the window spins the carousel, which then comes to rest elsewhere.
        game.press(0.25, 0.6);
        for (int step = 1; step <= 8; step++) game.moveTo(0.25 + 0.06 * step, 0.6);
        game.release(0.73, 0.6);
        EXPECT_TRUE(game.waitFor([&] { return carouselDifference(rest, game.screenshot("")) > 3; }, 5))
            << game.log();
        // Where it comes to rest depends on the frame times; it may stop near a place
        // that looks like the first (eight alike icon slots), so only its motion is checked.
        Screenshot spun;
        ASSERT_TRUE(restsIn(game, &spun)) << game.log();
        spun.save(std::string("gallery-spun-") + name);

        game.key("Escape");
        EXPECT_TRUE(game.waitFor([&] { return differenceFromExitPicture(game.screenshot("")) < 12.0; }, 10))
            << game.log();
        game.click(0.5, 0.5);
        EXPECT_TRUE(endedCleanly(game));
    }
}

TEST(GalleryProgramTest, AClickOnTheCarouselPressesAnIconWhichPlaysItsSound) {
    for (const char* name : PROGRAMS) {
        SCOPED_TRACE(name);
        ProgramPlay game(name);
        ASSERT_TRUE(opened(game));
        Screenshot rest;
        ASSERT_TRUE(restsIn(game, &rest)) << game.log();
        ASSERT_TRUE(game.waitFor([&] { return game.soundBytes() > 0; }, 10)) << game.log();
        const size_t before = game.soundBytes();
        EXPECT_FALSE(audibleSince(game.soundFile())) << "silent until the click";

        // Right of and above the middle some icon stands, whatever the carousel's turn: icons
        // rise there one after another with no gap between them.
        game.click(0.57, 0.42);
        EXPECT_TRUE(game.waitFor([&] { return soundPlayedSince(game.soundFile(), "pau.wav", before); }, 10))
            << game.log();
        game.closeWindow();
        EXPECT_TRUE(endedCleanly(game));
    }
}

}  // namespace
