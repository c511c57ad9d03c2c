// The whole game played in the test's own process, as a player meets it. Quandrels::start()
// runs for real (data pack, audio, window, every display, shutdown) in a fresh folder that
// holds the build's Quandrels.dat (or another pack, see `pack`), on a private X server with a window manager;
// only its frame loop is replaced by the test's script, which steps frames on a fixed clock, pushes real
// platform input into SDL's queue, waits for what it expects with a frame deadline, reads the game objects
// (this object is the application: window, displays, gallery, exitDisplay, sharedLayer) and takes screenshots
// of what the window shows.
//
//   PlayedGame game;
//   game.play([&](PlayedGame& g) {
//       g.frames(2);  // a display's first frame draws with the letter box of none before it
//       ASSERT_EQ(g.window->display, g.exitDisplay);
//       Screenshot shot = g.screenshot("exit-screen");  // build/screenshots/exit-screen.png
//       EXPECT_FALSE(shot.black());
//       EXPECT_GT(shot.overlayMean(300, 130, 610, 200).r, 100);  // the title, in overlay units
//       g.click(0.5, 0.5);
//       EXPECT_TRUE(g.waitForEnd(5));
//   });
//   EXPECT_NE(game.log().find("Quit send"), std::string::npos);
//
// A fullscreen toggle that the game asks for (Alt+Return) is made after the frame that asked,
// as the real loop makes it. The game's fatal messages (const char*) end the script and go
// to start() as in the real program; other exceptions from the script fail the test. The
// log and what went to standard error are printed when the test has failed.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

// What scripts read back: the application's window and displays.
#include "app/Display.h"
#include "app/SharedLayer.h"
#include "game/Quandrels.h"
#include "support/LiveLog.h"
#include "support/LiveOutput.h"
#include "support/PrivateScreen.h"
#include "support/Screenshot.h"
#include "support/TempDir.h"
#include "window/Window.h"

class PlayedGame : public Quandrels {
public:
    using Script = std::function<void(PlayedGame& game)>;

    // `privateScreen` false plays on $DISPLAY instead (no window manager there).
    explicit PlayedGame(bool privateScreen = true);
    ~PlayedGame() override;

    // Settings, before play().
    uint32_t frameMs = 20;     // every frame's clock step (deltaTime 0.02 s); 0: the real clock
    bool paced = false;        // sleep after each frame as the real loop does (frames in real time)
    bool recordSound = false;  // SDL's disk audio driver writes the mix to soundFile()
    // The data pack the game plays, copied into `folder` as its Quandrels.dat.
    std::string pack = std::string(QUANDRELS_BINARY_DIR) + "/Quandrels.dat";

    // Runs the game with `script` as its frame loop; returns after the game's shutdown.
    void play(const Script& script);

    // --- In the script. Frames:
    // One frame of the game's loop (events, "update", swap); false, doing nothing, once the
    // game has ended.
    bool frame();
    void frames(int count);
    // Steps frames until `condition` holds, testing it before each frame; false when
    // `maxFrames` frames passed or the game ended first.
    bool waitUntil(const std::function<bool()>& condition, int maxFrames);
    // Steps frames until the game's loop ends without a fullscreen request.
    bool waitForEnd(int maxFrames);
    bool ended() const { return over; }
    int frameCount = 0;  // frames stepped so far
    int toggles = 0;     // fullscreen toggles made for the game

    // Input, in fractions of the window (origin top left), read by the next frame.
    void moveTo(double x, double y);
    void press(double x, double y, int button = 1);
    void release(double x, double y, int button = 1);
    // Press, one frame, release (read by the next frame).
    void click(double x, double y);
    // Press at (x0, y0), `steps` motions towards (x1, y1) one frame apart, release there.
    void drag(double x0, double y0, double x1, double y1, int steps);
    void key(int sym, int mod = 0);
    void escape();
    void altReturn();

    // What the window shows after the last frame (its front buffer), kept as
    // build/screenshots/<name>.png.
    Screenshot screenshot(const std::string& name);

    // --- Any time.
    std::string log() const;     // what the game logged so far
    std::string errors() const;  // what it wrote to standard error so far (the audio player's messages)
    // SDL's disk audio output when recordSound (support/SoundMatch.h reads it); its size now
    // marks a moment for soundPlayedSince and audibleSince.
    std::string soundFile() const { return folder / "sound.raw"; }
    size_t soundBytes() const;
    TempDir folder;                         // the game's working directory
    std::unique_ptr<PrivateScreen> screen;  // null when playing on $DISPLAY

    // The script in place of the frame loop (called by start()).
    void runLoop() override;

private:
    Script script;
    std::unique_ptr<LiveLog> liveLog;
    std::unique_ptr<LiveOutput> liveErrors;
    std::string finalLog, finalErrors;
    bool over = false;
    int pointerX = 0, pointerY = 0;  // the last pushed pointer position, window pixels
};
