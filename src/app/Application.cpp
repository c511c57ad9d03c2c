// Application: the loop of frame-loop runs with fullscreen toggles between them, and the
// ordered shutdown.
#include "app/Application.h"

#include <SDL.h>

#include <memory>

#include "app/Display.h"
#include "app/SharedLayer.h"
#include "audio/AudioPlayer.h"
#include "core/Buffer.h"
#include "core/FreedMemory.h"
#include "core/Log.h"
#include "resources/ResourceEvents.h"
#include "resources/Resources.h"
#include "window/Window.h"

namespace {

// The icon's bytes from the game's data, or null (logged) when the data has none: the
// window then opens without it.
std::unique_ptr<Buffer> loadWindowIcon() {
    try {
        return std::unique_ptr<Buffer>(Resources::load(Application::WINDOW_ICON));
    } catch (const char* message) {
        log("No window icon: %s", message);
        return nullptr;
    }
}

}  // namespace

void Application::createWindow() {
    const std::unique_ptr<Buffer> icon = loadWindowIcon();
    if (!fullscreen) {
        window = new Window("Quandrels", false, 854, 480, icon.get());
    } else {
        window = new Window("Quandrels", true, 0, 0, icon.get());
    }
    window->logFirstFrame = true;
}

void Application::runLoop() {
    for (;;) {
        fullscreenRequested = false;
        window->run();
        if (!fullscreenRequested) break;
        toggleFullscreen();
    }
}

void Application::toggleFullscreen() {
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
    // The old context went with everything it held, in blocks of every size.
    returnFreedMemory();
}

void Application::shutdown() {
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
