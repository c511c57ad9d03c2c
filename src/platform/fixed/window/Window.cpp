// Window, fixed-function build: SDL 1.2 video mode with an OpenGL context.
#include "window/Window.h"

#include <SDL.h>

#include <cstdio>

#include "core/Log.h"
#include "platform/GL.h"
#include "platform/NetWmIcon.h"
#include "window/WindowIcon.h"

namespace {

// The screen's own size, taken while no video mode is set: SDL 1.2 answers a 0 x 0 request
// with the *current* mode, which after a windowed mode is the window's size, not the screen's.
int desktopWidth = 0;
int desktopHeight = 0;

}  // namespace

Window::Window(const char* title, bool fullscreen, int width, int height, const Buffer* icon) {
    if (SDL_Init(SDL_INIT_VIDEO) < 0) {
        log("\nUnable to initialize SDL: %s\n", SDL_GetError());
        throw "SDL init fail";
    }
    viewport.width = width;
    viewport.height = height;
    log("Width = %d, Height = %d.\n", width, height);

    if (!SDL_GetVideoSurface()) {
        const SDL_VideoInfo* info = SDL_GetVideoInfo();
        if (info) {
            desktopWidth = info->current_w;
            desktopHeight = info->current_h;
        }
    }
    int modeWidth = width;
    int modeHeight = height;
    if (fullscreen && width == 0 && height == 0 && desktopWidth > 0 && desktopHeight > 0) {
        modeWidth = desktopWidth;
        modeHeight = desktopHeight;
    }

    // SDL_OPENGL, not SDL_OPENGLBLIT: SDL 1.2 never frees the blit mode's shadow surface when
    // a new video mode replaces it, a screen's worth of memory at every full-screen toggle;
    // the game draws with OpenGL only and never blits.
    // SDL 1.2 takes the icon only before the video mode is set (and copies it at once); the
    // property that today's task bars read goes on the window the video mode makes.
    SDL_Surface* picture = decodeWindowIcon(icon);
    if (picture) SDL_WM_SetIcon(picture, nullptr);

    Uint32 flags = SDL_HWSURFACE | SDL_OPENGL | SDL_DOUBLEBUF | (fullscreen ? SDL_FULLSCREEN : 0);
    SDL_Surface* surface = SDL_SetVideoMode(modeWidth, modeHeight, 16, flags);
    if (picture) {
        if (surface) setNetWmIcon(picture);
        SDL_FreeSurface(picture);
    }
    if (!surface) {
        // This one line goes to standard output directly, not through log(), as the SDL 1.2
        // build always reported it; the fixed build's log writes there as well.
        printf("Unable to open screen surface: %s\n", SDL_GetError());
        throw "SDL window fail";
    }
    // A fullscreen mode requested as 0 x 0 comes back at the screen's size.
    viewport.width = surface->w;
    viewport.height = surface->h;
    SDL_WM_SetCaption(title, title);

    glClearDepth(1.0);
    glDepthFunc(GL_LEQUAL);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glShadeModel(GL_SMOOTH);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);

    logGLStrings();

    platformWindow = surface;
    lastTicks = SDL_GetTicks();
}

// The video surface belongs to SDL; there is nothing of our own to release.
Window::~Window() = default;

void Window::pollEvents() {
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        switch (event.type) {
            case SDL_QUIT:
                onQuit();
                break;
            case SDL_VIDEORESIZE:
                onResize(event.resize.w, event.resize.h);
                break;
            case SDL_KEYDOWN: {
                KeyRecord record;
                record.scancode = event.key.keysym.scancode;
                record.sym = event.key.keysym.sym;
                record.mod = static_cast<uint16_t>(event.key.keysym.mod);
                record.extra = event.key.keysym.unicode;
                // SDL 1.2 repeats keys only when asked to, and then does not mark them.
                onKeyDown(record, false);
                break;
            }
            case SDL_MOUSEMOTION:
                onPointerMove(toFractions(event.motion.x, event.motion.y),
                              toFractions(event.motion.xrel, event.motion.yrel));
                break;
            // SDL 1.2 reports the wheel as buttons 4 and 5; a scroll is not a click (SDL2
            // keeps the wheel apart from the buttons).
            case SDL_MOUSEBUTTONDOWN:
                if (event.button.button == SDL_BUTTON_WHEELUP || event.button.button == SDL_BUTTON_WHEELDOWN)
                    break;
                onPointerDown(toFractions(event.button.x, event.button.y), event.button.button);
                break;
            case SDL_MOUSEBUTTONUP:
                if (event.button.button == SDL_BUTTON_WHEELUP || event.button.button == SDL_BUTTON_WHEELDOWN)
                    break;
                onPointerUp(toFractions(event.button.x, event.button.y), event.button.button);
                break;
            default:
                break;
        }
    }
}

void Window::swapBuffers() { SDL_GL_SwapBuffers(); }

bool Window::pushQuitEvent() {
    SDL_Event event;
    event.type = SDL_QUIT;
    return SDL_PushEvent(&event) >= 0;
}
