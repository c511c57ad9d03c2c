// Glitter: a crystal's flare on the level-4 backdrop. Once every ten seconds it flares from
// nothing to 32 x 32 units and back within 0.4 s, then rests unseen; random start times
// spread the glitters over the cycle.
#pragma once

#include "math/Vector3.h"
#include "scene/MeshRenderer.h"
#include "window/Curve.h"

class Glitter : public MeshRenderer {
public:
    // The flare's half size over a looping ten-second cycle.
    static constexpr Curve<5> FLARE = {
        CurveReading::LOOPED, {{0.0f, 0.0f}, {4.0f, 0.0f}, {4.2f, 16.0f}, {4.4f, 0.0f}, {10.0f, 0.0f}}};

    Timer* twinkleTimer;  // a child
    Vector3 position;     // in the scenery space

    // x and y are fractions of the scenery space. Invisible until the first "update". Draws
    // the start of the cycle (one rand()).
    Glitter(float x, float y);

    // "update": scaled to the flare's size at its place.
    Event* onEvent(Event* e) override;

    // The flare's half size at the timer's position (a looping timer over the flare's points).
    static float size(Timer* timer);
};
