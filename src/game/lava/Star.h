// Star: a twinkling star sprite on the lava-stones backdrop. Its alpha follows a looping
// one-second curve, started at a random point so that the stars twinkle out of step.
#pragma once

#include "scene/MeshRenderer.h"
#include "window/Curve.h"

class Star : public MeshRenderer {
public:
    // The twinkles: alpha over a looping one-second cycle, one for big and one for small stars.
    static constexpr Curve<5> BIG_TWINKLE = {
        CurveReading::LOOPED, {{0.2f, 0.5f}, {0.4f, 0.7f}, {0.6f, 0.1f}, {0.8f, 0.8f}, {1.0f, 1.0f}}};
    static constexpr Curve<5> SMALL_TWINKLE = {
        CurveReading::LOOPED, {{0.2f, 0.8f}, {0.4f, 0.1f}, {0.6f, 0.8f}, {0.8f, 0.7f}, {1.0f, 0.6f}}};

    bool big;
    Timer* twinkleTimer;  // a child

    // x and y are fractions of the scenery space. Draws the start of the twinkle (one rand()).
    Star(float x, float y, bool big);

    // "update": the colour becomes white with the curve's alpha.
    Event* onEvent(Event* e) override;

    // The twinkle's alpha at the timer's position (a looping timer over the twinkle's points).
    static float alpha(Timer* timer, bool big);
};
