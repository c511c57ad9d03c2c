// Clouds: a veil of clouds over the whole level-2 scenery, drifting sideways by one picture
// width every 20 s and repeating seamlessly. Drawn over the stones.
#pragma once

#include "render/TexcoordScroll.h"
#include "scene/MeshRenderer.h"

class Clouds : public MeshRenderer {
public:
    static constexpr float SECONDS_PER_WIDTH = 20;

    TexcoordScroll scroll;

    Clouds();

    // "update": drifts by the frame time and uploads the coordinates.
    Event* onEvent(Event* e) override;
};
