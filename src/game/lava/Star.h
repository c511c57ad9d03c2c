// Star: a twinkling star sprite on the lava-stones backdrop. Its alpha follows a looping
// one-second curve, started at a random point so that the stars twinkle out of step.
#pragma once

#include "scene/MeshRenderer.h"

class Timer;

class Star : public MeshRenderer {
public:
    // The twinkle curve: alpha keys at these points of each one-second cycle.
    static constexpr int POINTS = 5;
    static constexpr float TWINKLE_POINTS[POINTS] = {0.2f, 0.4f, 0.6f, 0.8f, 1.0f};
    static constexpr float BIG_ALPHAS[POINTS] = {0.5f, 0.7f, 0.1f, 0.8f, 1.0f};
    static constexpr float SMALL_ALPHAS[POINTS] = {0.8f, 0.1f, 0.8f, 0.7f, 0.6f};

    bool big;
    Timer* twinkleTimer;  // a child

    // x and y are fractions of the scenery space. Draws the start of the twinkle (one rand()).
    Star(float x, float y, bool big);

    // "update": the colour becomes white with the curve's alpha.
    Event* onEvent(Event* e) override;

    // The curve's alpha at the timer's position (a looping timer over TWINKLE_POINTS).
    static float alpha(Timer* timer, bool big);
};
