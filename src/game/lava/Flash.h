// Flash: the white flash of a win. It covers the whole scenery, turns the screen white and
// fades out within two seconds; then it removes itself.
#pragma once

#include "scene/MeshRenderer.h"
#include "window/Curve.h"

class Flash : public MeshRenderer {
public:
    // The white's alpha, from opaque to clear over two seconds.
    static constexpr Curve<2> FADE = {CurveReading::LOOPED, {{0.0f, 1.0f}, {2.0f, 0.0f}}};

    Timer* fadeTimer;  // a child, started at construction

    Flash();

    // "update": white with the fading alpha; "fleshTimeout": marks itself for removal.
    Event* onEvent(Event* e) override;
};
