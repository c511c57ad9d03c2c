// Timer cost per frame: animate of a looping timer with ten points by 20 ms, and a frame's
// "update" broadcast from a window through a display holding a few hundred running timers.
#include <benchmark/benchmark.h>

#include "window/Interpolation.h"
#include "window/Timer.h"
#include "window/Window.h"
#include "window/WindowEvents.h"

namespace {

const float NOVA_POINTS[] = {0.2f, 0.5f, 1.2f, 1.8f, 1.9f, 2.5f, 3.5f, 3.8f, 4.1f, 4.8f};

Timer* tenPointTimer() {
    Timer* t = new Timer(5.0f);
    t->loop = true;
    t->phaseEvent = "nova";
    t->timeoutEvent = "again";
    t->setIntervals(10, NOVA_POINTS);
    return t;
}

void BM_TimerAnimateTenPointsLooping(benchmark::State& state) {
    // Events climb through a display and a window as they would in the game.
    Component root;
    Component* display = new Component;
    root.add(display);
    Timer* t = tenPointTimer();
    display->add(t);
    t->start(0);
    for (auto _ : state) {
        t->animate(0.02f);
        benchmark::DoNotOptimize(t->time);
    }
}

void BM_TimerAnimateAndInterpolate(benchmark::State& state) {
    Timer* t = tenPointTimer();
    const float keys[] = {0, 1, 0, 1, 0, 1, 0, 1, 0, 1};
    t->start(0);
    for (auto _ : state) {
        t->animate(0.02f);
        benchmark::DoNotOptimize(Interpolation::cubic(t, keys, 4, 0, true));
    }
    delete t;
}

void BM_WindowUpdateThroughTimers(benchmark::State& state) {
    const int timers = static_cast<int>(state.range(0));
    Window window(Window::Detached{}, 854, 480);
    Component* display = new Component;
    window.add(display);
    for (int i = 0; i < timers; i++) {
        Timer* t = tenPointTimer();
        display->add(t);
        t->start(static_cast<float>(i % 100) / 20.0f);
    }
    window.deltaTime = 0.02f;
    for (auto _ : state) window.sendBroadcast(Events::UPDATE);
    state.counters["ns_per_timer"] =
        benchmark::Counter(static_cast<double>(timers),
                           benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert,
                           benchmark::Counter::OneK::kIs1000);
}

}  // namespace

BENCHMARK(BM_TimerAnimateTenPointsLooping);
BENCHMARK(BM_TimerAnimateAndInterpolate);
BENCHMARK(BM_WindowUpdateThroughTimers)->Arg(300);
