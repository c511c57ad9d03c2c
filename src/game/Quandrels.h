// Quandrels: the game's application object. start() names the data pack, starts audio and
// the registry, opens the window, builds every display of the game once, shows the first
// one and runs until the player leaves.
#pragma once

#include "app/Application.h"
#include "core/List.h"
#include "core/String.h"

class Quandrels : public Application {
public:
    // Runs the whole program; returns when it ends. Fatal messages (const char*) are logged
    // and end the program through the normal shutdown.
    void start();

    // Where the game's data may be when the working directory has none, in the order they
    // are searched: the program's own folder, the data folder of the install beside it
    // (../share/quandrels), and the data folder of the configured install.
    static List<String> dataPlaces();
};
