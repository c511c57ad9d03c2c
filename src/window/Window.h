// Window: the root of the visible tree. It opens the platform window with its OpenGL context,
// owns the current display as its child, and runs the frame loop: platform events become
// named broadcasts, then "update", a buffer swap and 20 ms pacing. Handlers read the input
// and frame state kept here. The platform parts live under platform/<build>/Window.cpp.
#pragma once

#include <chrono>
#include <cstdint>

#include "core/Component.h"
#include "math/Rect.h"
#include "math/Vector2.h"

class Buffer;

// The platform's key record of the last key press, copied whole.
struct KeyRecord {
    uint32_t scancode = 0;
    int32_t sym = 0;     // Keys::RETURN, Keys::ESCAPE, ...
    uint16_t mod = 0;    // modifier bits, Keys::MOD_ALT for either Alt key
    uint32_t extra = 0;  // the platform's further word (unused in SDL2, the character in SDL 1.2)
};

class Window : public Component {
public:
    Component* display = nullptr;  // the current display, a child of the window
    Rect viewport;                 // always {0, 0, window width, window height}
    KeyRecord key;
    bool keyRepeat = false;     // the last key press was the platform's auto-repeat
    Vector2 mousePosition;      // fractions of the window, origin top left, y downwards
    Vector2 mouseDownPosition;  // mousePosition at the last press
    Vector2 mouseDelta;         // motion of the last motion event, in the same fractions
    uint8_t mouseButton = 0;
    bool mousePressed = false;
    uint32_t ticks = 0;              // millisecond counter at the start of this frame's update
    float deltaTime = 0;             // seconds since the previous frame's ticks
    void* platformWindow = nullptr;  // SDL_Window* (shader build) or SDL_Surface* (fixed)
    void* glContext = nullptr;       // SDL_GLContext (shader build only)
    uint32_t lastTicks = 0;
    bool running = true;
    // Test and tool hook: when nonzero, every frame's ticks advance by exactly this many
    // milliseconds instead of reading the platform clock, so deltaTime is fixed (0.02 s for
    // 20) however long frames really take. The game leaves it at 0.
    uint32_t fixedFrameMs = 0;
    // When set, run() logs "First frame shown" once its first frame is on the screen: the
    // moment a player sees the game, up to which start-up is measured.
    bool logFirstFrame = false;

    // Opens the platform window; throws "SDL init fail", "SDL window fail", "OpenGL fail" or
    // "OpenGL 2 is not supported". `icon`: PNG bytes of the picture that the window manager
    // shows for the window (task bar, window menu), or null for the platform's own.
    Window(const char* title, bool fullscreen, int width, int height, const Buffer* icon = nullptr);

    // A window without platform window or GL context: it keeps the state that handlers
    // read, so a tree can be driven without a display (tests, tools). Do not call run().
    struct Detached {};
    Window(Detached, int width, int height);

    ~Window() override;

    // The frame loop: runFrame() and the pacing sleep, until `running` is false.
    void run();
    // One frame of the loop without the pacing sleep: every pending platform event, the
    // frame clock (ticks, deltaTime), "update", the buffer swap. For tools and tests that
    // step frames themselves.
    void runFrame();
    void setDisplay(Component* display);
    void setGLViewport();
    bool viewportContainsMouse(Rect r, Vector2 m);
    Vector2 mouseToViewport(Rect r, Vector2 m);
    void quit();

    // Frames start FRAME_TIME apart: after the swap the loop sleeps for what is left of the
    // frame that began at the top of this iteration; a frame that took FRAME_TIME or more is
    // not delayed. deltaTime stays the time between two updates, so animations keep their
    // speed whatever the pacing.
    static constexpr std::chrono::microseconds FRAME_TIME{20000};
    static std::chrono::microseconds frameDelay(std::chrono::microseconds work);

    // Input, as the platform layer reports it: each updates the fields above and broadcasts
    // the matching events. A detached window can be driven through them as well.
    void onQuit();
    void onResize(int width, int height);
    void onKeyDown(const KeyRecord& record, bool repeat);
    void onPointerMove(Vector2 position, Vector2 delta);
    void onPointerDown(Vector2 position, uint8_t button);
    void onPointerUp(Vector2 position, uint8_t button);
    // Pixel coordinates to fractions of the window.
    Vector2 toFractions(int x, int y) const;

private:
    // Platform parts of run(): translate every pending event; show the frame.
    void pollEvents();
    void swapBuffers();
    // Posts the platform's quit event; false when the platform refuses it.
    bool pushQuitEvent();
    // The start-up lines that name the GL implementation (the same in both builds).
    void logGLStrings();
};
