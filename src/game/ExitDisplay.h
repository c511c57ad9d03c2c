// ExitDisplay: the last screen, one full-screen picture; a click or Escape ends the program.
#pragma once

#include "app/Display.h"

class Scene;

class ExitDisplay : public Display {
public:
    Scene* scene;  // a child of the display

    explicit ExitDisplay(Application* app);
    Event* onEvent(Event* e) override;
};
