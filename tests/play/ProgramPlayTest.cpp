// The real-program harness on both programs as they stand: each opens on the gallery in an
// 854 x 480 window, and Escape typed through the X server shows the exit screen at the next
// frames, which its screenshot shows; Alt+Return gives a window of the screen's size under
// openbox and a second one brings 854 x 480 back; a click ends the program with status 0; the
// disk audio output runs in real time while the program waits at a frame, and stays silent
// while nothing is clicked; the window manager's close ends the program with status 0.
#include <gtest/gtest.h>

#include <string>

#include "play/ExitPicture.h"
#include "play/ProgramChecks.h"
#include "support/ProgramPlay.h"
#include "support/SoundMatch.h"

namespace {

const char* const PROGRAMS[] = {"quandrels", "quandrels-fixed"};

// The program shows the exit picture at whatever size its window has now, once the frames
// after the last input have drawn it; the screenshot is kept as build/screenshots/<shot>.png.
void expectTheExitPicture(ProgramPlay& game, const std::string& shot) {
    ASSERT_TRUE(game.runFrames(2)) << game.log();
    Screenshot kept = game.screenshot(shot);
    EXPECT_LT(differenceFromExitPicture(kept), 12.0) << "see " << kept.file;
}

// The program opens on the gallery, where Escape leads straight to the exit screen: the next
// frame reads it and the one after draws the exit screen.
void toTheExitScreen(ProgramPlay& game, const std::string& shot) {
    game.key("Escape");
    expectTheExitPicture(game, shot);
}

TEST(ProgramPlayTest, BothProgramsShowTheExitScreenAfterEscapeAndAClickEndsThem) {
    for (const char* name : PROGRAMS) {
        SCOPED_TRACE(name);
        ProgramPlay game(name);
        ASSERT_TRUE(opened(game));
        toTheExitScreen(game, std::string("program-exit-") + name);

        game.click(0.5, 0.5);
        EXPECT_TRUE(endedCleanly(game));
        EXPECT_NE(game.log().find("Quit send"), std::string::npos) << game.log();
    }
}

TEST(ProgramPlayTest, AltReturnFillsTheScreenUnderAWindowManagerAndComesBack) {
    for (const char* name : PROGRAMS) {
        SCOPED_TRACE(name);
        ProgramPlay game(name);
        ASSERT_TRUE(opened(game));
        toTheExitScreen(game, "");

        game.key("alt+Return");
        ASSERT_TRUE(game.runUntil([&] { return game.fullScreen(); }, 500)) << game.log();
        expectTheExitPicture(game, std::string("program-exit-fullscreen-") + name);

        game.key("alt+Return");
        ASSERT_TRUE(game.runUntil([&] { return game.hasSize(854, 480); }, 500)) << game.log();
        EXPECT_FALSE(game.fullScreen());
        expectTheExitPicture(game, std::string("program-exit-windowed-again-") + name);

        game.key("Escape");
        EXPECT_TRUE(endedCleanly(game));
    }
}

TEST(ProgramPlayTest, TheDiskAudioOutputRunsWhileTheProgramWaitsAtItsFrameAndStaysSilent) {
    for (const char* name : PROGRAMS) {
        SCOPED_TRACE(name);
        ProgramPlay game(name);
        ASSERT_TRUE(opened(game));
        // Half a second of output: the device writes in real time, silence included, while
        // the frame clock holds the program at its first frame.
        EXPECT_TRUE(game.waitFor([&] { return game.soundBytes() >= 44100 * 4 / 2; }, 20)) << game.log();
        EXPECT_EQ(game.frame(), 1);
        EXPECT_FALSE(audibleSince(game.soundFile()));
        game.closeWindow();
        EXPECT_TRUE(endedCleanly(game));
    }
}

}  // namespace
