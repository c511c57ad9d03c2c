// Application: what every display reaches through its `app` pointer: the window, the fade
// layer, the displays and the fullscreen request. It runs the frame loop, re-creates the
// window whenever a fullscreen toggle is requested and tears everything down in a fixed
// order. The game's own application (game/Quandrels.h) builds the displays in start().
#pragma once

#include "core/List.h"

class Display;
class SharedLayer;
class Window;

class Application {
public:
    Window* window = nullptr;            // owned; null until created
    bool fullscreen = false;             // the mode of the current window
    bool fullscreenRequested = false;    // set by a display on Alt+Return, before it quits the loop
    SharedLayer* sharedLayer = nullptr;  // the fade layer, drawn over every display; owned
    List<Display*> displays;             // owned, in creation order
    Display* gallery = nullptr;          // also in displays
    Display* exitDisplay = nullptr;      // also in displays

    // The picture in the game's data that the window carries as its icon (the menu icon at
    // 64 x 64 pixels).
    static constexpr const char* WINDOW_ICON = "windowIcon.png";

    Application() = default;
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;
    virtual ~Application() = default;

    // A new "Quandrels" window: 854 x 480, or fullscreen at the desktop's size, with the
    // game's icon when the data holds it. Throws the window's messages. Virtual so that a failing window can
    // be staged.
    virtual void createWindow();
    // Drops the GPU objects, re-creates the window in the other mode and rebuilds them; the
    // current display and all game state stay.
    void toggleFullscreen();

    // Runs the window's frame loop until it ends without a fullscreen request, toggling in
    // between. Virtual so that a test or tool can drive the frames itself (Window::runFrame)
    // while start() stays the real one.
    virtual void runLoop();
    // The shutdown sequence (safe to call with nothing created).
    void shutdown();
};
