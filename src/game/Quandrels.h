// Quandrels: the game's application object. start() names the data pack, starts audio and
// the registry, opens the window, builds every display of the game once, shows the first
// one and runs until the player leaves.
#pragma once

#include "app/Application.h"

class Quandrels : public Application {
public:
    // Runs the whole program; returns when it ends. Fatal messages (const char*) are logged
    // and end the program through the normal shutdown.
    void start();
};
