// One of the built programs (build/quandrels, build/quandrels-fixed) played as a person plays
// it: a child process in a fresh folder holding the build's Quandrels.dat, on a private X
// server with openbox as window manager, its sound going to SDL's disk audio driver
// (soundFile()). It runs on a frame clock that the test holds (support/FrameClock.h): 20 ms of
// its time per frame shown, whatever the machine's load, and it waits at a frame until the
// test lets it run on. The test sends input while the program waits, and lets it run to the
// frame that reads it: every frame of a game played this way is the same on every run.
// Input goes through the X server with xdotool, at fractions of the program's window;
// screenshots are what the screen shows where the window is.
//
//   ProgramPlay game("quandrels-fixed");
//   ASSERT_TRUE(game.runTo(1) && game.waitForWindow(30)) << game.log();
//   game.key("Escape");
//   ASSERT_TRUE(game.runFrames(2));                    // the exit screen is up
//   Screenshot shot = game.screenshot("exit-fixed");  // build/screenshots/exit-fixed.png
//   game.click(0.5, 0.5);
//   ASSERT_TRUE(game.waitForExit(10)) << game.log();
//   EXPECT_EQ(game.exitStatus(), 0);
#pragma once

#include <sys/types.h>

#include <array>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "support/FrameClock.h"
#include "support/PrivateScreen.h"
#include "support/Screenshot.h"
#include "support/TempDir.h"

class ProgramPlay {
public:
    // Starts build/<program> at once, with the build's Quandrels.dat or the pack at `pack`;
    // it runs up to its first frame and waits there.
    explicit ProgramPlay(const std::string& program, const std::string& pack = "");
    // Kills the program if it still runs, then ends the X server.
    ~ProgramPlay();
    ProgramPlay(const ProgramPlay&) = delete;
    ProgramPlay& operator=(const ProgramPlay&) = delete;

    // Frames. The number of frames the program has shown; it waits after the last one.
    int frame() const { return clock.shown(); }
    // Lets the program run until it has shown `frame`, and hold there. False when it ended
    // first, or hangs: no frame for far longer than a loaded machine takes.
    bool runTo(int frame);
    bool runFrames(int count) { return runTo(frame() + count); }
    // Frame by frame until `condition` holds, testing it before each frame while the program
    // waits; false when `maxFrames` frames did not bring it or the program ended.
    bool runUntil(const std::function<bool()>& condition, int maxFrames);
    // Lets the program run on without waiting at any frame, until runTo or runUntil holds it.
    void runFreely() { clock.release(); }
    // The frames that take `seconds` of the program's time.
    static int framesOf(double seconds) {
        return static_cast<int>(std::ceil(seconds * 1000 / FrameClockFile::FRAME_MS - 1e-6));
    }

    // Waits for what the program does in real time whatever its frames (its window, its sound
    // output, its end). Each polls until its condition holds or `seconds` passed, and says
    // which; the seconds only keep a hung program from hanging the test.
    bool waitFor(const std::function<bool()>& condition, double seconds);
    // The program's window is on the screen, with a size.
    bool waitForWindow(double seconds);
    // Its window has this size (client area, without the window manager's frame).
    bool waitForSize(int width, int height, double seconds);
    // Lets the program run on and waits for it to end; then exitStatus() tells how.
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
    // Its window has this size (client area) now.
    bool hasSize(int width, int height);
    // The screen's pixels where the window is, kept as build/screenshots/<name>.png.
    Screenshot screenshot(const std::string& name);

    // Input through the X server (XTEST, as a real mouse and keyboard), positions in
    // fractions of the window. Keys are xdotool's names: "Escape", "alt+Return". Each returns
    // once the program has the input waiting, which the next frame it shows reads.
    void moveTo(double x, double y);
    void press(double x, double y);
    void release(double x, double y);
    // Press, one frame, release: the press is read by the next frame, the release by the one
    // after.
    void click(double x, double y);
    void key(const std::string& keys);
    // Asks the window to close, as the window manager's close button does.
    void closeWindow();

    // SDL's disk audio output, S16 stereo frames at 44100 Hz as the mixer made them; its size
    // now marks a moment for soundPlayedSince and audibleSince (support/SoundMatch.h).
    std::string soundFile() const { return folder / "sound.raw"; }
    size_t soundBytes() const;

    PrivateScreen screen;
    FrameClock clock;
    TempDir folder;
    pid_t pid = -1;

private:
    unsigned long window();
    // Runs xdotool on the private screen; returns once the program has what it sent.
    bool xdotool(const std::vector<std::string>& arguments);
    void pointerTo(double x, double y);

    int status = -1;
    bool done = false;
    std::array<int, 2> pointer = {-1, -1};  // where this harness last put the pointer, on the screen
};
