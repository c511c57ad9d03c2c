// Window, shader build: SDL2 window with an OpenGL 2.0 context reached through GLEW.
#include "app/Window.h"

#include <SDL.h>

Window::~Window() {
    if (glContext) SDL_GL_DeleteContext(static_cast<SDL_GLContext>(glContext));
    if (platformWindow) SDL_DestroyWindow(static_cast<SDL_Window*>(platformWindow));
}
