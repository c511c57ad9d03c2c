// Quandrels: the game's application object. start() names the data pack, starts audio and
// the registry, opens the window, builds every display of the game once, shows the gallery
// and runs until the player leaves.
#pragma once

#include "app/Application.h"
#include "game/DisplayTable.h"

class Quandrels : public Application {
public:
    // Runs the whole program; returns when it ends. Fatal messages (const char*) are logged
    // and end the program through the normal shutdown.
    void start();

    // Builds the displays and the gallery's icons of DISPLAY_STEPS in their order; each
    // display joins `displays` as soon as it is made. Needs the window (its GL context) and
    // the shared layer.
    void buildDisplays();

private:
    // The display a step creates, or null for a step without one.
    Display* makeDisplay(const DisplayStep& step);
};
