// A display that writes down the name of every event it receives, runs an optional action
// on "update", and then behaves as the display base class does (viewport, Alt+Return,
// forwarding to the shared layer).
#pragma once

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "app/Display.h"

class RecordingDisplay : public Display {
public:
    explicit RecordingDisplay(Quandrels* app) : Display(app) {}

    Event* onEvent(Event* e) override {
        names.push_back(e->name);
        if (onUpdate && strcmp(e->name, "update") == 0) onUpdate();
        return Display::onEvent(e);
    }

    std::vector<std::string> names;
    std::function<void()> onUpdate;
};
