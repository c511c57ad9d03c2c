// CarouselPath: the way the gallery's icons travel, from the far left and back, in past
// the middle, and off to the far right and back. It is the non-looping cubic interpolation
// of a timer over six keys, each a point of the path at a time, read through a scratch timer.
#pragma once

#include "math/Vector3.h"
#include "window/Timer.h"

class CarouselPath {
public:
    struct Key {
        float time;
        float x, y, z;
    };
    static constexpr int POINTS = 6;
    static constexpr Key KEYS[POINTS] = {
        {0.0f, -6.2f, 0.0f, -3.0f}, {0.3f, -3.0f, 0.0f, 0.0f}, {0.4f, -0.5f, -1.0f, 2.0f},
        {0.6f, 0.5f, 1.0f, 2.0f},   {0.7f, 3.0f, 0.0f, 0.0f},  {1.0f, 6.2f, 0.0f, -3.0f},
    };
    // A phase is read this much earlier on the path, and the direction of travel this much
    // further on.
    static constexpr float LEAD = 0.01f;
    static constexpr float LOOK_AHEAD = 0.02f;

    CarouselPath();

    // The point of the path at `time` (0 to 1); a time of 0 or less gives the first key.
    Vector3 at(float time);

    // Where an icon at `phase` stands, and the direction it travels in (in the x-y plane,
    // not normalised).
    void place(float phase, Vector3* position, Vector3* travel);

private:
    Timer timer;  // scratch: started afresh for every reading

    Vector3 read();
};
