// Quandrels: the game's application object. start() names the data pack, starts audio and
// the registry, opens the window, builds every display of the game once, shows the gallery
// and runs until the player leaves.
#pragma once

#include "app/Application.h"
#include "core/List.h"
#include "core/String.h"
#include "game/DisplayTable.h"

class Quandrels : public Application {
public:
    // Runs the whole program; returns when it ends. Fatal messages (const char*) are logged
    // and end the program through the normal shutdown.
    void start();

    // Where the game's data may be when the working directory has none, in the order they
    // are searched: the program's own folder, the data folder of the install beside it
    // (../share/quandrels), and the data folder of the configured install.
    static List<String> dataPlaces();

    // Builds the displays and the gallery's icons of DISPLAY_STEPS in their order; each
    // display joins `displays` as soon as it is made. Needs the window (its GL context) and
    // the shared layer.
    void buildDisplays();

private:
    // The display a step creates, or null for a step without one.
    Display* makeDisplay(const DisplayStep& step);
};
