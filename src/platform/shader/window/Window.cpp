// Window, shader build: SDL2 window with an OpenGL 2.0 context reached through GLEW.
#include "window/Window.h"

#include <SDL.h>

#include "core/Log.h"
#include "platform/GL.h"
#include "window/WindowIcon.h"

Window::Window(const char* title, bool fullscreen, int width, int height, const Buffer* icon) {
    if (SDL_Init(SDL_INIT_VIDEO) < 0) {
        log("\nUnable to initialize SDL: %s\n", SDL_GetError());
        throw "SDL init fail";
    }
    SDL_LogSetAllPriority(SDL_LOG_PRIORITY_VERBOSE);

    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 0);
    SDL_GL_SetAttribute(SDL_GL_ACCELERATED_VISUAL, 1);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 8);

    viewport.width = width;
    viewport.height = height;
    log("Width = %d, Height = %d.\n", width, height);

    Uint32 flags = SDL_WINDOW_OPENGL | (fullscreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : SDL_WINDOW_RESIZABLE);
    SDL_Window* window =
        SDL_CreateWindow(title, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width, height, flags);
    if (!window) {
        log("Failed to create window. SDL Error: %s", SDL_GetError());
        throw "SDL window fail";
    }
    // SDL keeps its own copy of the picture.
    if (SDL_Surface* picture = decodeWindowIcon(icon)) {
        SDL_SetWindowIcon(window, picture);
        SDL_FreeSurface(picture);
    }
    // A desktop-sized window is told its size by no resize event (SDL already knows it), so
    // take the real size now rather than run with a 0 x 0 viewport.
    int realWidth = 0;
    int realHeight = 0;
    SDL_GetWindowSize(window, &realWidth, &realHeight);
    if (realWidth > 0 && realHeight > 0) {
        viewport.width = realWidth;
        viewport.height = realHeight;
    }

    SDL_GLContext context = SDL_GL_CreateContext(window);
    if (!context) {
        log("OpenGL context could not be created. SDL Error: %s\n", SDL_GetError());
        SDL_DestroyWindow(window);
        throw "OpenGL fail";
    }

    glewExperimental = GL_TRUE;
    GLenum glewError = glewInit();
    if (glewError != GLEW_OK) {
        log("Error initializing GLEW! %s\n", reinterpret_cast<const char*>(glewGetErrorString(glewError)));
    }
    log("Using GLEW %s\n", reinterpret_cast<const char*>(glewGetString(GLEW_VERSION)));
    logGLStrings();

    bool gl2 = glewIsSupported("GL_VERSION_2_0");
    log("Is supported GL2: %s\n", gl2 ? "y" : "n");
    if (!gl2) {
        // The destructor does not run for a throwing constructor: free both here.
        SDL_GL_DeleteContext(context);
        SDL_DestroyWindow(window);
        throw "OpenGL 2 is not supported";
    }

    if (SDL_GL_SetSwapInterval(1) < 0) {
        log("Warning: Unable to set VSync! SDL Error: %s\n", SDL_GetError());
    }

    platformWindow = window;
    glContext = context;
    lastTicks = SDL_GetTicks();
}

Window::~Window() {
    if (glContext) SDL_GL_DeleteContext(static_cast<SDL_GLContext>(glContext));
    if (platformWindow) SDL_DestroyWindow(static_cast<SDL_Window*>(platformWindow));
}

void Window::pollEvents() {
    const Uint32 ownId = SDL_GetWindowID(static_cast<SDL_Window*>(platformWindow));
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        switch (event.type) {
            case SDL_QUIT:
                onQuit();
                break;
            case SDL_WINDOWEVENT:
                // The window that a fullscreen toggle destroyed reports a last size (1 x 1)
                // after the new window exists: only this window's size counts (events the
                // program pushes itself name no window).
                if (event.window.event == SDL_WINDOWEVENT_RESIZED &&
                    (event.window.windowID == ownId || event.window.windowID == 0)) {
                    onResize(event.window.data1, event.window.data2);
                }
                break;
            case SDL_KEYDOWN: {
                KeyRecord record;
                record.scancode = static_cast<uint32_t>(event.key.keysym.scancode);
                record.sym = event.key.keysym.sym;
                record.mod = event.key.keysym.mod;
                record.extra = event.key.keysym.unused;
                onKeyDown(record, event.key.repeat != 0);
                break;
            }
            // SDL repeats every touch as a mouse event from SDL_TOUCH_MOUSEID; the finger
            // events below already report it, so those copies are dropped.
            case SDL_MOUSEMOTION:
                if (event.motion.which == SDL_TOUCH_MOUSEID) break;
                onPointerMove(toFractions(event.motion.x, event.motion.y),
                              toFractions(event.motion.xrel, event.motion.yrel));
                break;
            case SDL_MOUSEBUTTONDOWN:
                if (event.button.which == SDL_TOUCH_MOUSEID) break;
                onPointerDown(toFractions(event.button.x, event.button.y), event.button.button);
                break;
            case SDL_MOUSEBUTTONUP:
                if (event.button.which == SDL_TOUCH_MOUSEID) break;
                onPointerUp(toFractions(event.button.x, event.button.y), event.button.button);
                break;
            case SDL_FINGERDOWN:
                onPointerDown(Vector2(event.tfinger.x, event.tfinger.y), 1);
                break;
            case SDL_FINGERUP:
                onPointerUp(Vector2(event.tfinger.x, event.tfinger.y), 1);
                break;
            case SDL_FINGERMOTION:
                onPointerMove(Vector2(event.tfinger.x, event.tfinger.y),
                              Vector2(event.tfinger.dx, event.tfinger.dy));
                break;
            default:
                break;
        }
    }
}

void Window::swapBuffers() { SDL_GL_SwapWindow(static_cast<SDL_Window*>(platformWindow)); }

bool Window::pushQuitEvent() {
    SDL_Event event;
    SDL_zero(event);
    event.type = SDL_QUIT;
    return SDL_PushEvent(&event) >= 0;
}
