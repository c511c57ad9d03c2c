// Timer: the point scan, cycle ends and the "update" hook.
#include "window/Timer.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/EventName.h"
#include "window/Window.h"
#include "window/WindowEvents.h"

Timer::Timer(float duration) : duration(duration) {}

void Timer::setIntervals(int count, const float* points) {
    intervals.clear();
    if (count < 1 || !points) return;
    intervals.reserve(count);
    for (int i = 0; i < count; i++) intervals.add(points[i]);
}

void Timer::start(float startTime) {
    time = 0;
    phase = 0;
    running = true;
    if (startTime > 0) animate(startTime);
}

void Timer::clampPhase() {
    int n = intervals.size();
    if (phase >= n) phase = n - 1;
    if (phase < 0) phase = 0;
}

// Passes the points from phase onwards that lie within [from, to] of one cycle. Every turn
// moves phase on by one and ends at the last point, so one cycle costs at most one turn per
// point. The count is read again after each event: handlers may change the points.
void Timer::scanCycle(float from, float to) {
    for (;;) {
        int n = intervals.size();
        if (n == 0) return;
        clampPhase();
        float p = intervals.at(phase);
        if (p < from || p > to) return;
        if (loop) {
            phase++;
            if (phase >= n) {
                phase = 0;
                return;
            }
        } else {
            if (phase >= n - 1) return;
            phase++;
        }
        if (phaseEvent) sendUp(phaseEvent);
    }
}

void Timer::animate(float dt) {
    if (!std::isfinite(dt)) return;
    // Handlers of the events below may change duration; this step keeps the one it began with.
    const float d = duration;

    if (!(d > 0)) {
        // A cycle of no length ends at once: all of its points are passed, then its end.
        if (!(dt > 0)) return;
        const float inf = std::numeric_limits<float>::infinity();
        if (intervals.size() > 0) scanCycle(-inf, inf);
        time = 0;
        if (timeoutEvent) sendUp(timeoutEvent);
        if (!loop) {
            time = duration;
            running = false;
        }
        return;
    }

    if (intervals.size() > 0) {
        float a = time;
        float b = time + dt;
        while (b > 0) {
            scanCycle(std::max(a, 0.0f), std::min(b, d));
            float next = b - d;
            if (!(next < b)) break;  // float can no longer tell the cycles of this step apart
            a -= d;
            b = next;
        }
    }

    time += dt;
    while (time > d) {
        float next = time - d;
        if (!(next < time)) next = std::fmod(time, d);
        time = next;
        if (timeoutEvent) sendUp(timeoutEvent);
        if (!loop) {
            time = duration;
            running = false;
            return;
        }
    }
}

Event* Timer::onEvent(Event* e) {
    if (running && isEvent(e, Events::UPDATE)) {
        if (Window* window = dynamic_cast<Window*>(e->source)) animate(window->deltaTime);
    }
    return e;
}
