// Window, fixed-function build: SDL 1.2 video mode with an OpenGL context.
#include "app/Window.h"

// The video surface belongs to SDL; there is nothing of our own to release.
Window::~Window() = default;
