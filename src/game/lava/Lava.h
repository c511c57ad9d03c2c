// Lava: the flowing lava floor of level 3, a plane below and behind the stones on which
// "lava.png" repeats seven times each way and flows towards the viewer by one repeat every 20 s.
#pragma once

#include "render/TexcoordScroll.h"
#include "scene/MeshRenderer.h"

class Lava : public MeshRenderer {
public:
    static constexpr float SECONDS_PER_REPEAT = 20;
    static constexpr float REPEATS = 7;

    TexcoordScroll scroll;

    Lava();

    // "update": flows by the frame time and uploads the coordinates.
    Event* onEvent(Event* e) override;
};
