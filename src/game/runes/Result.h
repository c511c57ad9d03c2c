// Result: the mark of one answer in the runes teaser's answer row, green for a right answer
// and red for a wrong one. It fades in over half a second; a green mark also starts four
// times larger and shrinks into place.
#pragma once

#include "math/Vector3.h"
#include "scene/MeshRenderer.h"

class Timer;

class Result : public MeshRenderer {
public:
    static constexpr float Z = -3.5f;
    static constexpr float SCALE = 0.125f;  // a 0.25 x 0.25 mark

    bool success;
    Timer* fadeTimer;  // a child, running from construction
    Vector3 position;  // in the answer row

    Result(float x, float y, bool success);

    // The MeshRenderer handling; "update" sets the fade and, for a success, the size.
    Event* onEvent(Event* e) override;
};
