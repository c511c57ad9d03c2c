// Curve: the keyframes of one animated value, each a value at a point of its timer's cycle,
// and how they are read. The curve gives its timer its points and reads the value at the
// timer's position, linearly between the keys, so that an animation is one named table
// rather than a row of times beside a row of values.
#pragma once

#include <cstddef>

#include "window/Interpolation.h"
#include "window/Timer.h"

struct Keyframe {
    float time;  // seconds into the cycle
    float value;
};

// How a curve is read. LOOPED reads across the end of the cycle: before the first key's
// time the value runs from the last key towards the first.
enum class CurveReading { ONCE, LOOPED };

template <int N>
struct Curve {
    static constexpr int KEYS = N;

    CurveReading reading;
    Keyframe keys[N];

    // One cycle of the curve: up to its last key.
    constexpr float duration() const { return keys[N - 1].time; }

    // The curve's times become the timer's points.
    void setPointsOf(Timer* timer) const {
        float times[N];
        for (int i = 0; i < N; i++) times[i] = keys[i].time;
        timer->setIntervals(N, times);
    }

    // A new timer of one cycle over the curve's times; not started, not looping.
    Timer* newTimer() const {
        Timer* timer = new Timer(duration());
        setPointsOf(timer);
        return timer;
    }

    // The value at the timer's position: between the keys of the point it passed last and
    // the next one. The timer may run over other points than the curve's own, N of them.
    float at(Timer* timer) const {
        return Interpolation::linear(timer, keys, sizeof(Keyframe),
                                     static_cast<int>(offsetof(Keyframe, value)),
                                     reading == CurveReading::LOOPED);
    }
};
