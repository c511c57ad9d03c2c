// Quandrels: the application object. start() opens the window, builds every display once,
// runs the frame loop, re-creates the window whenever a fullscreen toggle is requested and
// tears everything down in a fixed order at the end.
#pragma once

#include "storage/List.h"

class Display;
class ExitDisplay;
class SharedLayer;
class Window;

class Quandrels {
public:
    Window* window = nullptr;          // owned; null until created
    bool fullscreen = false;           // the mode of the current window
    bool fullscreenRequested = false;  // set by a display on Alt+Return, before it quits the loop
    SharedLayer* sharedLayer = nullptr;  // the fade layer, drawn over every display; owned
    List<Display*> displays;           // owned, in creation order
    Display* gallery = nullptr;        // also in displays
    ExitDisplay* exitDisplay = nullptr;  // also in displays

    Quandrels() = default;
    Quandrels(const Quandrels&) = delete;
    Quandrels& operator=(const Quandrels&) = delete;
    virtual ~Quandrels() = default;

    // Runs the whole program; returns when it ends. Fatal messages (const char*) are logged
    // and end the program through the normal shutdown.
    void start();

    // A new "Quandrels" window: 854 x 480, or fullscreen at the desktop's size. Throws the
    // window's messages. Virtual so that a failing window can be staged.
    virtual void createWindow();
    // Drops the GPU objects, re-creates the window in the other mode and rebuilds them; the
    // current display and all game state stay.
    void toggleFullscreen();

    // The parts of start(), usable on their own by callers that set up their own displays:
    // runs the window's frame loop until it ends without a fullscreen request, toggling in
    // between; and the shutdown sequence (safe to call with nothing created).
    void runLoop();
    void shutdown();
};
