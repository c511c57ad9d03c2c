// Quandrels: start-up in its fixed order; the loop and the shutdown are the application's.
#include "game/Quandrels.h"

#include "InstallPaths.h"
#include "app/SharedLayer.h"
#include "audio/AudioPlayer.h"
#include "core/Log.h"
#include "game/ExitDisplay.h"
#include "resources/DataFolder.h"
#include "resources/Resources.h"
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
