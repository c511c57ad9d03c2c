// Quandrels: start-up, the loop of frame-loop runs with fullscreen toggles between them, and
// the ordered shutdown.
#include "app/Quandrels.h"

#include <SDL.h>

#include "app/Display.h"
#include "app/Events.h"
#include "app/Window.h"
#include "storage/Log.h"

void Quandrels::start() {
    try {
        fullscreen = false;
        createWindow();
        if (gallery) window->setDisplay(gallery);
        runLoop();
    } catch (const char* message) {
        log("%s\n", message);
    }
    shutdown();
}

void Quandrels::createWindow() {
    if (!fullscreen) {
        window = new Window("Quandrels", false, 854, 480);
    } else {
        window = new Window("Quandrels", true, 0, 0);
    }
}

void Quandrels::runLoop() {
    for (;;) {
        fullscreenRequested = false;
        window->run();
        if (!fullscreenRequested) break;
        toggleFullscreen();
    }
}

void Quandrels::toggleFullscreen() {
    if (sharedLayer) sharedLayer->sendBroadcast(Events::RELEASE_RESOURCES);
    for (Display* d : displays) {
        if (d) d->sendBroadcast(Events::RELEASE_RESOURCES);
    }

    Component* current = window->display;
    if (current) current->unlink();
    delete window;
    // Cleared first: if the new window cannot be made, shutdown must not delete the old one
    // a second time.
    window = nullptr;

    fullscreen = !fullscreen;
    createWindow();

    if (current) {
        window->display = current;
        window->add(current);
    }
    if (sharedLayer) sharedLayer->sendBroadcast(Events::CREATE_RESOURCES);
    for (Display* d : displays) {
        if (d) d->sendBroadcast(Events::CREATE_RESOURCES);
    }
}

void Quandrels::shutdown() {
    if (window && window->display) {
        window->display->unlink();
        window->display = nullptr;
    }
    for (Display* d : displays) delete d;
    displays.clear();
    gallery = nullptr;
    exitDisplay = nullptr;
    delete sharedLayer;
    sharedLayer = nullptr;
    delete window;
    window = nullptr;
    SDL_Quit();
}
