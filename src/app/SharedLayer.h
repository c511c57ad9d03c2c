// SharedLayer: the fade layer drawn over whichever display is current. fadeTo() darkens the
// screen to black in half a second, switches the window to the target display at full
// black (the target builds its GPU objects first, the old display drops its own after), and
// clears again in the next half second. It receives its events from the display base class.
#pragma once

#include "scene/Scene.h"

class Display;
class MeshRenderer;
class Application;
class Timer;

class SharedLayer : public Scene {
public:
    // A whole fade, dark and clear again.
    static constexpr float FADE_SECONDS = 1.0f;

    Timer* timer;               // the fade clock, a child
    Display* target = nullptr;  // the display being faded to; not owned
    Application* app;           // not owned
    MeshRenderer* plane;        // the full-screen black plane, a child; visible while fading

    explicit SharedLayer(Application* app);

    // Starts a fade to `d`; ignored entirely while a fade runs.
    void fadeTo(Display* d);
    // The switch a fade makes at full black, at once: `d` builds its GPU objects, the window
    // shows it, the display it replaces drops its own, and the layer builds its own again.
    void switchTo(Display* d);
    Event* onEvent(Event* e) override;
};
