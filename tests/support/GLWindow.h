// A real Window with its OpenGL context for tests that need GL (under Xvfb in `make test`).
// SDL is shut down again when it goes, so every test starts from a fresh platform layer.
#pragma once

#include "window/Window.h"

class GLWindow {
public:
    explicit GLWindow(int width = 64, int height = 64, bool fullscreen = false);
    ~GLWindow();
    GLWindow(const GLWindow&) = delete;
    GLWindow& operator=(const GLWindow&) = delete;

    Window* operator->() const { return window; }
    Window* get() const { return window; }

    Window* window;
};
