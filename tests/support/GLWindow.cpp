#include "support/GLWindow.h"

#include <SDL.h>

#include <cstdio>
#include <string>

#include "support/LogCapture.h"

GLWindow::GLWindow(int width, int height, bool fullscreen) : window(nullptr) {
    // The window's start-up lines would drown the test output; they are shown on failure.
    const char* failure = nullptr;
    std::string lines = captureLog([&] {
        try {
            window = new Window("Quandrels test", fullscreen, width, height);
        } catch (const char* message) {
            failure = message;
        }
    });
    if (failure) {
        fprintf(stderr, "%s", lines.c_str());
        SDL_Quit();
        throw failure;
    }
}

GLWindow::~GLWindow() {
    delete window;
    SDL_Quit();
}
