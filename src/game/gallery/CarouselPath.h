// CarouselPath: the way the gallery's icons travel, from the far left and back, in past
// the middle, and off to the far right and back. It is the non-looping cubic interpolation
// of a timer over six points, one row of keys per axis, read through a scratch timer.
#pragma once

#include "math/Vector3.h"
#include "window/Timer.h"

class CarouselPath {
public:
    static constexpr int POINTS = 6;
    static constexpr float TIMES[POINTS] = {0.0f, 0.3f, 0.4f, 0.6f, 0.7f, 1.0f};
    static constexpr float X[POINTS] = {-6.2f, -3.0f, -0.5f, 0.5f, 3.0f, 6.2f};
    static constexpr float Y[POINTS] = {0.0f, 0.0f, -1.0f, 1.0f, 0.0f, 0.0f};
    static constexpr float Z[POINTS] = {-3.0f, 0.0f, 2.0f, 2.0f, 0.0f, -3.0f};
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
