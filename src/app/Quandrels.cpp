// Quandrels: start-up, the loop of frame-loop runs with fullscreen toggles between them, and
// the ordered shutdown.
#include "app/Quandrels.h"

#include <SDL.h>

#include "app/Display.h"
#include "app/Events.h"
#include "app/ExitDisplay.h"
#include "app/SharedLayer.h"
#include "app/Window.h"
#include "audio/AudioPlayer.h"
#include "storage/Log.h"
#include "storage/Resources.h"

void Quandrels::start() {
    Resources::archive = "Quandrels.dat";
    Resources::password = "";
    // A machine without sound runs the game silently; the player says why on standard error.
    AudioPlayer::init();
    Resources::init();

    try {
        fullscreen = false;
        createWindow();
        sharedLayer = new SharedLayer(this);
        // The game's displays join here, in their order, as they are built; the exit screen
        // is always the last.
        exitDisplay = new ExitDisplay(this);
        displays.add(exitDisplay);
        // Without a gallery the game opens on the exit screen.
        window->setDisplay(gallery ? gallery : exitDisplay);
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
    // Loaded GL objects belong to the context that goes with the old window.
    Resources::releaseData();
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
    // The registry's GL objects need the window's context, so they go before the window.
    Resources::release();
    AudioPlayer::release();
    delete window;
    window = nullptr;
    SDL_Quit();
}
