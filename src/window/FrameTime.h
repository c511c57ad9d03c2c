// The frame time that an "update" carries: the window that broadcasts it is its source and
// keeps the seconds since the previous frame. Objects that move by themselves (rather than
// through a Timer) read it here.
#pragma once

#include "core/Event.h"
#include "window/Window.h"

// The deltaTime of the Window that is the source of `e`; 0 for any other source.
inline float frameTime(const Event* e) {
    const Window* window = e != nullptr ? dynamic_cast<const Window*>(e->source) : nullptr;
    return window != nullptr ? window->deltaTime : 0.0f;
}
