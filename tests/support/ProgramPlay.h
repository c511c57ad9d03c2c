// One of the built programs (build/quandrels, build/quandrels-fixed) played as a person plays
// it: a child process in a fresh folder holding the build's Quandrels.dat, on a private X
// server with openbox as window manager, its sound going to SDL's disk audio driver
// (soundFile()). Input goes through the X server with xdotool, at fractions of the program's
// window; screenshots are what the screen shows where the window is; every wait has a
// deadline in seconds and polls, so a test waits only as long as the program needs.
//
//   ProgramPlay game("quandrels-fixed");
//   ASSERT_TRUE(game.waitForWindow(30)) << game.log();
//   Screenshot shot = game.screenshot("exit-fixed");  // build/screenshots/exit-fixed.png
//   game.click(0.5, 0.5);
//   ASSERT_TRUE(game.waitForExit(10)) << game.log();
//   EXPECT_EQ(game.exitStatus(), 0);
#pragma once

#include <sys/types.h>

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "support/PrivateScreen.h"
#include "support/Screenshot.h"
#include "support/TempDir.h"

class ProgramPlay {
public:
    // Starts build/<program> at once, with the build's Quandrels.dat or the pack at `pack`.
    explicit ProgramPlay(const std::string& program, const std::string& pack = "");
    // Kills the program if it still runs, then ends the X server.
    ~ProgramPlay();
    ProgramPlay(const ProgramPlay&) = delete;
    ProgramPlay& operator=(const ProgramPlay&) = delete;

    // Waits. Each polls until its condition holds or `seconds` passed, and says which.
    bool waitFor(const std::function<bool()>& condition, double seconds);
    // The program's window is on the screen, with a size.
    bool waitForWindow(double seconds);
    // Its window has this size (client area, without the window manager's frame).
    bool waitForSize(int width, int height, double seconds);
    // `text` appeared in what the program printed (standard output and error, line-buffered).
    bool waitForLog(const std::string& text, double seconds);
    // The process ended; then exitStatus() tells how.
    bool waitForExit(double seconds);

    bool exited();
    // The exit status, or -1 while it runs or when it was ended by a signal.
    int exitStatus();
    // Everything the program printed so far.
    std::string log() const;

    // Where the program's window shows on the screen: x, y, width, height (the client area,
    // without the window manager's frame; all 0 while it has none).
    std::array<int, 4> windowArea();
    // Its window covers the whole screen from the top left.
    bool fullScreen();
    // The screen's pixels where the window is, kept as build/screenshots/<name>.png.
    Screenshot screenshot(const std::string& name);

    // Input through the X server (XTEST, as a real mouse and keyboard), positions in
    // fractions of the window. Keys are xdotool's names: "Escape", "alt+Return".
    void moveTo(double x, double y);
    void press(double x, double y);
    void release(double x, double y);
    void click(double x, double y);
    void key(const std::string& keys);
    // Moves the pointer through these points of the window, in whole pixels from its top
    // left, in one quick run of motions: each reaches the program as a motion event of its
    // own, with the exact pixel steps between them, and all of them usually within a frame or
    // two. The button may go down at the first point or up at the last in the same run.
    enum class Button { KEEP, DOWN_AT_FIRST, UP_AT_LAST };
    void moveThrough(const std::vector<std::array<int, 2>>& pixels, Button change = Button::KEEP);
    // Asks the window to close, as the window manager's close button does.
    void closeWindow();

    // SDL's disk audio output, S16 stereo frames at 44100 Hz as the mixer made them; its size
    // now marks a moment for soundPlayedSince and audibleSince (support/SoundMatch.h).
    std::string soundFile() const { return folder / "sound.raw"; }
    size_t soundBytes() const;

    PrivateScreen screen;
    TempDir folder;
    pid_t pid = -1;

private:
    unsigned long window();
    bool xdotool(const std::vector<std::string>& arguments);
    void pointerTo(double x, double y);

    int status = -1;
    bool done = false;
    std::array<int, 2> pointer = {-1, -1};  // where this harness last put the pointer, on the screen
};
