// Flash: the white flash of a win. It covers the whole scenery, turns the screen white and
// fades out within two seconds; then it removes itself.
#pragma once

#include "scene/MeshRenderer.h"

class Timer;

class Flash : public MeshRenderer {
public:
    static constexpr float DURATION = 2.0f;
    static constexpr float FADE_POINTS[2] = {0.0f, DURATION};
    static constexpr float FADE_ALPHAS[2] = {1.0f, 0.0f};

    Timer* fadeTimer;  // a child, started at construction

    Flash();

    // "update": white with the fading alpha; "fleshTimeout": marks itself for removal.
    Event* onEvent(Event* e) override;
};
