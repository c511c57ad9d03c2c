// Timer: the animation clock. A child component that advances by the window's frame time on
// every "update", walks through ascending time points (its phases), announces each phase
// change and the end of a cycle with events sent up the tree, and can loop.
#pragma once

#include "core/Component.h"
#include "core/List.h"

class Timer : public Component {
public:
    float time = 0;  // seconds into the current cycle
    float duration;  // length of one cycle in seconds
    bool running = false;
    bool loop = false;                   // wrap around at the end instead of stopping
    const char* timeoutEvent = nullptr;  // sent up when a cycle ends; not owned
    int phase = 0;                       // index of the next point to be passed
    List<float> intervals;               // the points: ascending times within [0, duration]
    const char* phaseEvent = nullptr;    // sent up when a point is passed and phase moves on

    explicit Timer(float duration);

    // Replaces the points with the first count values (none when count < 1). Leaves phase,
    // time and running alone: keep phase a valid index, or call start.
    void setIntervals(int count, const float* points);

    // Restarts from 0 in phase 0 and runs; then advances by startTime if it is positive, so
    // the events of the first startTime seconds come at once.
    void start(float startTime);

    // Advances by dt seconds, running or not: phase events for every point inside the step
    // (both ends included), then one timeout per cycle end passed; a cycle ends only once
    // time exceeds duration. A non-looping timer stops at its first cycle end with
    // time = duration.
    //
    // Degenerate input never hangs the frame loop:
    // - duration 0, negative or NaN is a cycle that ends at once: every step with dt > 0
    //   passes all remaining points in order (the only valid point of such a cycle is 0)
    //   and then ends the cycle once. A non-looping timer sends its timeout and stops with
    //   time = duration; a looping one sends one timeout per step and keeps time at 0.
    //   Steps with dt <= 0 do nothing.
    // - dt that is infinite or NaN is ignored.
    // - a step so long that float can no longer count its cycles (time - duration == time)
    //   ends the scan of further cycles and reduces time by fmod after one timeout.
    // - a phase outside the points (after setIntervals shrank them) is clamped to the last
    //   point before the scan.
    void animate(float dt);

    // "update" while running: advances by the deltaTime of the Window that is the source.
    // An "update" whose source is not a Window is ignored. Always returns e.
    Event* onEvent(Event* e) override;

private:
    void scanCycle(float from, float to);
    void clampPhase();
};
