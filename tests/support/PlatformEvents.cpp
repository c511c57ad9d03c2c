#include "support/PlatformEvents.h"

#include <SDL.h>

namespace platform_events {

namespace {

void push(SDL_Event& event) { SDL_PushEvent(&event); }

}  // namespace

#ifndef QUANDRELS_TEST_FIXED_BUILD

namespace {

// SDL2 filters pushed events too; those made here name no window, the window system's do.
int onlyPushedInput(void*, SDL_Event* e) {
    switch (e->type) {
        case SDL_KEYDOWN:
        case SDL_KEYUP:
            return e->key.windowID == 0;
        case SDL_MOUSEMOTION:
            return e->motion.windowID == 0;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            return e->button.windowID == 0;
        case SDL_FINGERDOWN:
        case SDL_FINGERUP:
        case SDL_FINGERMOTION:
            return e->tfinger.windowID == 0;
        default:
            return 1;
    }
}

}  // namespace

void ignoreWindowSystemInput() { SDL_SetEventFilter(onlyPushedInput, nullptr); }

void stopIgnoringWindowSystemInput() { SDL_SetEventFilter(nullptr, nullptr); }

void drain() {
    for (int round = 0; round < 5; round++) {
        SDL_Delay(20);
        SDL_PumpEvents();
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    }
}

bool quitPending() {
    SDL_PumpEvents();
    return SDL_HasEvent(SDL_QUIT) == SDL_TRUE;
}

void pushQuit() {
    SDL_Event e;
    SDL_zero(e);
    e.type = SDL_QUIT;
    push(e);
}

void pushKey(int sym, int mod, bool repeat) {
    SDL_Event e;
    SDL_zero(e);
    e.type = SDL_KEYDOWN;
    e.key.state = SDL_PRESSED;
    e.key.repeat = repeat ? 1 : 0;
    e.key.keysym.sym = sym;
    e.key.keysym.mod = static_cast<Uint16>(mod);
    e.key.keysym.scancode = SDL_GetScancodeFromKey(sym);
    push(e);
}

void pushMouseMotion(int x, int y, int dx, int dy) {
    SDL_Event e;
    SDL_zero(e);
    e.type = SDL_MOUSEMOTION;
    e.motion.x = x;
    e.motion.y = y;
    e.motion.xrel = dx;
    e.motion.yrel = dy;
    push(e);
}

void pushMouseButton(bool down, int x, int y, int button) {
    SDL_Event e;
    SDL_zero(e);
    e.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    e.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.button.button = static_cast<Uint8>(button);
    e.button.x = x;
    e.button.y = y;
    push(e);
}

void pushResize(int width, int height) {
    SDL_Event e;
    SDL_zero(e);
    e.type = SDL_WINDOWEVENT;
    e.window.event = SDL_WINDOWEVENT_RESIZED;
    e.window.data1 = width;
    e.window.data2 = height;
    push(e);
}

#else

namespace {

// SDL 1.2 runs only the window system's events through the filter, never pushed ones.
int noWindowSystemInput(const SDL_Event* e) {
    switch (e->type) {
        case SDL_KEYDOWN:
        case SDL_KEYUP:
        case SDL_MOUSEMOTION:
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            return 0;
        default:
            return 1;
    }
}

}  // namespace

void ignoreWindowSystemInput() { SDL_SetEventFilter(noWindowSystemInput); }

void stopIgnoringWindowSystemInput() { SDL_SetEventFilter(nullptr); }

void drain() {
    SDL_Event e;
    for (int round = 0; round < 5; round++) {
        SDL_Delay(20);
        while (SDL_PollEvent(&e)) {
        }
    }
}

bool quitPending() {
    SDL_PumpEvents();
    SDL_Event e;
    return SDL_PeepEvents(&e, 1, SDL_PEEKEVENT, SDL_QUITMASK) > 0;
}

void pushQuit() {
    SDL_Event e = {};
    e.type = SDL_QUIT;
    push(e);
}

void pushKey(int sym, int mod, bool) {
    SDL_Event e = {};
    e.type = SDL_KEYDOWN;
    e.key.state = SDL_PRESSED;
    e.key.keysym.sym = static_cast<SDLKey>(sym);
    e.key.keysym.mod = static_cast<SDLMod>(mod);
    push(e);
}

void pushMouseMotion(int x, int y, int dx, int dy) {
    SDL_Event e = {};
    e.type = SDL_MOUSEMOTION;
    e.motion.x = static_cast<Uint16>(x);
    e.motion.y = static_cast<Uint16>(y);
    e.motion.xrel = static_cast<Sint16>(dx);
    e.motion.yrel = static_cast<Sint16>(dy);
    push(e);
}

void pushMouseButton(bool down, int x, int y, int button) {
    SDL_Event e = {};
    e.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    e.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.button.button = static_cast<Uint8>(button);
    e.button.x = static_cast<Uint16>(x);
    e.button.y = static_cast<Uint16>(y);
    push(e);
}

void pushResize(int width, int height) {
    SDL_Event e = {};
    e.type = SDL_VIDEORESIZE;
    e.resize.w = width;
    e.resize.h = height;
    push(e);
}

#endif

}  // namespace platform_events
