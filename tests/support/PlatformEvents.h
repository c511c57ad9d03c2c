// Puts platform input into the SDL event queue of either SDL generation, so that tests can
// drive a real window's frame loop with known events.
#pragma once

namespace platform_events {

// Discards what the window system queued after a window opened (mapping, focus, the
// pointer entering), waiting briefly until nothing more arrives.
void drain();

// While a test pushes its own input, the real pointer and keyboard must not add to it (a
// window of another test closing over ours sends the pointer in): keeps only pushed pointer,
// touch and key events until stopped.
void ignoreWindowSystemInput();
void stopIgnoringWindowSystemInput();

void pushQuit();
// True when a quit event waits in the queue (it stays there).
bool quitPending();
// `repeat` marks the key as auto-repeated where the platform can say so (SDL2 only).
void pushKey(int sym, int mod, bool repeat = false);
void pushMouseMotion(int x, int y, int dx, int dy);
void pushMouseButton(bool down, int x, int y, int button);
// The platform's notice of a new window size.
void pushResize(int width, int height);

}  // namespace platform_events
