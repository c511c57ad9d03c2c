// Fuzz target: timers with arbitrary durations, points and steps must always finish their
// step, keep phase on a point, end cycles properly, and interpolate without reading keys
// that do not exist.
#include "window/Timer.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "core/Component.h"
#include "window/Interpolation.h"

namespace {

// Counts what comes up from the timer; on request restarts it from a phase handler, the
// way a game object may react to its own timer.
class Owner : public Component {
public:
    Timer* timer = nullptr;
    int restartsLeft = 0;
    Event* onEvent(Event* e) override {
        if (e->name && e->name[0] == 'p' && restartsLeft > 0) {
            restartsLeft--;
            timer->start(0);
        }
        return e;
    }
};

#define CHECK(condition)                                                                            \
    do {                                                                                            \
        if (!(condition)) {                                                                         \
            std::fprintf(stderr, "check failed: %s (time %g, duration %g, phase %d)\n", #condition, \
                         timer->time, timer->duration, timer->phase);                               \
            std::abort();                                                                           \
        }                                                                                           \
    } while (0)

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    const float duration = in.ConsumeFloatingPoint<float>();
    Owner owner;
    Timer* timer = new Timer(duration);
    owner.timer = timer;
    owner.add(timer);
    timer->loop = in.ConsumeBool();
    timer->phaseEvent = in.ConsumeBool() ? "phase" : nullptr;
    timer->timeoutEvent = "timeout";
    owner.restartsLeft = in.ConsumeIntegralInRange(0, 3);

    const int count = in.ConsumeIntegralInRange(0, 12);
    std::vector<float> points;
    for (int i = 0; i < count; i++) points.push_back(in.ConsumeFloatingPoint<float>());
    timer->setIntervals(count, points.data());
    // Exactly one key per point, on the heap, so reading past them is caught.
    std::vector<float> keys(points.size());
    for (size_t i = 0; i < keys.size(); i++) keys[i] = static_cast<float>(i);

    timer->start(0);
    for (int step = 0; step < 16 && in.remaining_bytes() > 0; step++) {
        const float dt = in.ConsumeFloatingPoint<float>();
        // Steps spanning millions of cycles are legitimate but slow (one timeout per cycle).
        if (std::isfinite(duration) && duration > 0 && std::fabs(dt) / duration > 1e4f) continue;
        const bool wasRunning = timer->running;
        timer->animate(dt);
        if (count > 0) CHECK(timer->phase >= 0 && timer->phase < count);
        if (std::isfinite(duration) && duration > 0) CHECK(!(timer->time > duration));
        // A non-looping timer that stops in this step stops at its end.
        if (wasRunning && !timer->loop && !timer->running)
            CHECK(timer->time == duration || std::isnan(duration));
        const bool loop = in.ConsumeBool();
        Interpolation::linear(timer, keys.data(), 4, 0, loop);
        Interpolation::cosine(timer, keys.data(), 4, 0, loop);
        Interpolation::cubic(timer, keys.data(), 4, 0, loop);
    }
    return 0;
}
