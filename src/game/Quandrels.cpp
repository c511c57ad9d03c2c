// Quandrels: start-up in its fixed order; the loop and the shutdown are the application's.
#include "game/Quandrels.h"

#include "InstallPaths.h"
#include "app/SharedLayer.h"
#include "audio/AudioPlayer.h"
#include "core/Log.h"
#include "game/ExitDisplay.h"
#include "game/gallery/Gallery.h"
#include "game/gallery/Icon.h"
#include "game/lava/LavaStones.h"
#include "game/runes/Runes.h"
#include "resources/DataFolder.h"
#include "resources/Resources.h"
#include "scene/Scene.h"
#include "window/Window.h"

List<String> Quandrels::dataPlaces() {
    List<String> places;
    File programFolder = File::getApplicationDirectory();
    if (programFolder.getFilename()[0] != '\0') {
        places.add(programFolder.getFilename());
        places.add(programFolder.getSubfile(QUANDRELS_INSTALL_DATA_DIR_FROM_BIN).getFilename());
    }
    places.add(QUANDRELS_INSTALL_DATA_DIR);
    return places;
}

void Quandrels::start() {
    Resources::archive = "Quandrels.dat";
    Resources::password = "";
    // An installed game is started from anywhere: find its data before the registry starts.
    DataFolder::enter(dataPlaces());
    // A machine without sound runs the game silently; the player says why on standard error.
    AudioPlayer::init();
    Resources::init();

    try {
        fullscreen = false;
        createWindow();
        sharedLayer = new SharedLayer(this);
        buildDisplays();
        window->setDisplay(gallery);
        runLoop();
    } catch (const char* message) {
        log("%s\n", message);
    }
    shutdown();
}

void Quandrels::buildDisplays() {
    Gallery* galleryDisplay = nullptr;
    for (const DisplayStep& step : DISPLAY_STEPS) {
        Display* display = makeDisplay(step);
        if (display) displays.add(display);
        if (step.created == DisplayKind::GALLERY) {
            galleryDisplay = static_cast<Gallery*>(display);
            gallery = galleryDisplay;
        }
        if (step.created == DisplayKind::EXIT) exitDisplay = display;
        if (step.icon && galleryDisplay) {
            galleryDisplay->iconScene->add(new Icon(display, step.icon, step.iconDifficulty));
        }
    }
}

Display* Quandrels::makeDisplay(const DisplayStep& step) {
    switch (step.created) {
        case DisplayKind::GALLERY:
            return new Gallery(this);
        case DisplayKind::EXIT:
            return new ExitDisplay(this);
        case DisplayKind::LAVA_STONES:
            return new LavaStones(this, step.level);
        case DisplayKind::RUNES:
            return new Runes(this, step.level);
        case DisplayKind::NO_DISPLAY:
            return nullptr;
    }
    return nullptr;
}
