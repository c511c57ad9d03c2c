// Timer: the point scan, cycle ends, looping, start times, the "update" hook and the
// degenerate inputs that must not hang the frame loop.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "support/Capture.h"
#include "support/RecordingComponent.h"
#include "window/Timer.h"
#include "window/Window.h"
#include "window/WindowEvents.h"

namespace {

using Strings = std::vector<std::string>;

const char PHASE[] = "ph";
const char TIMEOUT[] = "to";

// A timer under a recording owner. Every event that reaches the owner is written down as
// "name@phase", with the timer's phase at the moment the event was sent.
struct Rig {
    EventLog log;
    RecordingComponent* owner;
    Timer* timer;
    Strings events;

    Rig(float duration, bool loop, const std::vector<float>& points, Component* parent = nullptr) {
        owner = new RecordingComponent(&log, "owner");
        timer = new Timer(duration);
        timer->loop = loop;
        timer->phaseEvent = PHASE;
        timer->timeoutEvent = TIMEOUT;
        if (!points.empty()) timer->setIntervals(static_cast<int>(points.size()), points.data());
        owner->add(timer);
        owner->action = [this](Component*, Event* e) {
            std::string name = e->name;
            if (name != PHASE && name != TIMEOUT) return e;  // broadcasts passing through
            EXPECT_EQ(e->source, timer);
            events.push_back(std::string(e->name) + "@" + std::to_string(timer->phase));
            return e;
        };
        if (parent)
            parent->add(owner);
        else
            ownsTree = true;
    }
    ~Rig() {
        if (ownsTree) delete owner;
    }
    bool ownsTree = false;
};

TEST(Timer, ConstructionLeavesItStoppedAtZero) {
    Timer t(2.5f);
    EXPECT_EQ(t.duration, 2.5f);
    EXPECT_EQ(t.time, 0.0f);
    EXPECT_FALSE(t.running);
    EXPECT_FALSE(t.loop);
    EXPECT_EQ(t.phase, 0);
    EXPECT_EQ(t.intervals.size(), 0);
    EXPECT_EQ(t.phaseEvent, nullptr);
    EXPECT_EQ(t.timeoutEvent, nullptr);
}

TEST(Timer, SetIntervalsReplacesThePointsOnly) {
    Timer t(1);
    const float first[] = {0.1f, 0.2f, 0.3f, 0.4f};
    t.setIntervals(4, first);
    t.phase = 2;
    t.time = 0.25f;
    t.running = true;
    const float second[] = {0.5f, 0.6f, 0.7f};
    t.setIntervals(2, second);
    ASSERT_EQ(t.intervals.size(), 2);
    EXPECT_EQ(t.intervals.get(0), 0.5f);
    EXPECT_EQ(t.intervals.get(1), 0.6f);
    EXPECT_EQ(t.phase, 2);
    EXPECT_EQ(t.time, 0.25f);
    EXPECT_TRUE(t.running);
    t.setIntervals(0, second);
    EXPECT_EQ(t.intervals.size(), 0);
    t.setIntervals(-3, second);
    EXPECT_EQ(t.intervals.size(), 0);
}

TEST(Timer, StartRestartsEvenWhenRunning) {
    Rig r(1, false, {0, 0.5f});
    r.timer->start(0);
    r.timer->animate(0.75f);
    ASSERT_EQ(r.timer->phase, 1);
    r.timer->start(0);
    EXPECT_EQ(r.timer->time, 0.0f);
    EXPECT_EQ(r.timer->phase, 0);
    EXPECT_TRUE(r.timer->running);
    EXPECT_EQ(r.events, (Strings{"ph@1"}));
}

struct ScanCase {
    const char* what;
    float duration;
    bool loop;
    std::vector<float> points;
    float startAt;
    std::vector<float> steps;
    Strings events;
    float time;
    int phase;
    bool running;
};

TEST(Timer, PointScanAndCycleEnds) {
    const std::vector<float> three = {0, 0.125f, 0.25f};
    const std::vector<float> nova = {0.2f, 0.5f, 1.2f, 1.8f, 1.9f, 2.5f, 3.5f, 3.8f, 4.1f, 4.8f};
    std::vector<ScanCase> cases = {
        {"looping without points, 2.5 s in one call",
         1,
         true,
         {},
         0,
         {2.5f},
         {"to@0", "to@0"},
         0.5f,
         0,
         true},
        {"non-looping without points, past its end", 1, false, {}, 0, {0.4f, 0.7f}, {"to@0"}, 1, 0, false},
        {"time equal to duration does not end the cycle", 1, false, {}, 0, {0.5f, 0.5f}, {}, 1, 0, true},
        {"only time beyond duration ends it", 1, false, {}, 0, {0.5f, 0.5f, 0.125f}, {"to@0"}, 1, 0, false},
        {"points 0, 0.125, 0.25 advanced by 0.3: phases, then timeout",
         0.25f,
         false,
         three,
         0,
         {0.3f},
         {"ph@1", "ph@2", "to@2"},
         0.25f,
         2,
         false},
        {"start(0.3) sends the same events at once",
         0.25f,
         false,
         three,
         0.3f,
         {},
         {"ph@1", "ph@2", "to@2"},
         0.25f,
         2,
         false},
        {"start(0.1) sends the events of its first 0.1 s",
         0.25f,
         false,
         three,
         0.1f,
         {},
         {"ph@1"},
         0.1f,
         1,
         true},
        {"a first point 0 passes in the first step after start",
         1,
         false,
         {0, 0.5f},
         0,
         {0.01f},
         {"ph@1"},
         0.01f,
         1,
         true},
        {"a point equal to the end of a step is passed in it",
         1,
         false,
         {0, 0.5f, 1},
         0,
         {0.25f, 0.25f},
         {"ph@1", "ph@2"},
         0.5f,
         2,
         true},
        {"the last point raises no phase event",
         1,
         false,
         {0, 0.5f, 1},
         0,
         {1.0f},
         {"ph@1", "ph@2"},
         1,
         2,
         true},
        {"non-looping, later cycles pass nothing more",
         1,
         false,
         {0.2f, 0.4f},
         0,
         {3.0f},
         {"ph@1", "to@1"},
         1,
         1,
         false},
        {"looping: silent return to phase 0, next cycle's point before the timeout",
         1,
         true,
         {0, 0.5f},
         0,
         {0.2f, 0.4f, 0.5f},
         {"ph@1", "ph@1", "to@1"},
         0.1f,
         1,
         true},
        {"looping over several cycles in one step",
         1,
         true,
         {0.25f, 0.75f},
         0,
         {2.5f},
         {"ph@1", "ph@1", "ph@1", "to@1", "to@1"},
         0.5f,
         1,
         true},
        {"a negative step passes nothing", 1, true, {0, 0.5f}, 0, {-0.25f}, {}, -0.25f, 0, true},
        {"ten points, frames of 20 ms, not looping",
         10,
         false,
         nova,
         0,
         std::vector<float>(250, 0.02f),
         {"ph@1", "ph@2", "ph@3", "ph@4", "ph@5", "ph@6", "ph@7", "ph@8", "ph@9"},
         5.0f,
         9,
         true},
    };
    for (const ScanCase& c : cases) {
        SCOPED_TRACE(c.what);
        Rig r(c.duration, c.loop, c.points);
        r.timer->start(c.startAt);
        for (float dt : c.steps) r.timer->animate(dt);
        EXPECT_EQ(r.events, c.events);
        EXPECT_NEAR(r.timer->time, c.time, 1e-4);
        EXPECT_EQ(r.timer->phase, c.phase);
        EXPECT_EQ(r.timer->running, c.running);
    }
}

TEST(Timer, PointEqualToTheStartOfAStepIsPassedIfPhaseStillPointsAtIt) {
    Rig r(1, false, {0, 0.5f, 1});
    r.timer->start(0);
    r.timer->animate(0.25f);
    ASSERT_EQ(r.events, (Strings{"ph@1"}));
    r.timer->time = 0.5f;  // phase 1 still points at 0.5
    r.timer->animate(0.1f);
    EXPECT_EQ(r.events, (Strings{"ph@1", "ph@2"}));
    r.timer->time = 0.5f;  // the index keeps it from being passed twice
    r.timer->animate(0.1f);
    EXPECT_EQ(r.events.size(), 2u);
}

TEST(Timer, EventsGoUpToEveryAncestorWithTheTimerAsSource) {
    EventLog log;
    RecordingComponent top(&log, "top");
    Rig r(0.5f, false, {0, 0.5f}, &top);
    r.timer->start(0.75f);
    EXPECT_EQ(r.events, (Strings{"ph@1", "to@1"}));
    EXPECT_EQ(log.trace(), (Strings{"top:ph", "top:to"}));
    for (const SeenEvent& s : log.seen) EXPECT_EQ(s.source, r.timer);
    r.owner->unlink();
    delete r.owner;
}

TEST(Timer, UpdateFromTheWindowAdvancesByItsDeltaTime) {
    Window window(Window::Detached{}, 854, 480);
    Rig r(0.25f, false, {0, 0.125f, 0.25f}, &window);
    window.deltaTime = 0.1f;

    window.sendBroadcast(Events::UPDATE);
    EXPECT_EQ(r.timer->time, 0.0f) << "a stopped timer ignores update";

    r.timer->start(0);
    window.sendBroadcast(Events::UPDATE);
    EXPECT_NEAR(r.timer->time, 0.1f, 1e-6);
    EXPECT_EQ(r.events, (Strings{"ph@1"}));

    window.sendBroadcast(Events::MOUSE_MOVE);
    r.owner->sendBroadcast("updated");
    EXPECT_NEAR(r.timer->time, 0.1f, 1e-6) << "other names do nothing";

    // "update" must come from a window; from anything else it is not read as one.
    r.owner->sendBroadcast(Events::UPDATE);
    EXPECT_NEAR(r.timer->time, 0.1f, 1e-6);

    window.deltaTime = 0.2f;
    window.sendBroadcast(Events::UPDATE);
    EXPECT_EQ(r.events, (Strings{"ph@1", "ph@2", "to@2"}));
    EXPECT_FALSE(r.timer->running);
    EXPECT_EQ(r.timer->time, 0.25f);

    window.sendBroadcast(Events::UPDATE);
    window.sendBroadcast(Events::UPDATE);
    EXPECT_EQ(r.events.size(), 3u) << "a stopped timer ignores later updates";
    EXPECT_EQ(r.timer->time, 0.25f);

    r.owner->unlink();
    delete r.owner;
}

// Durations of 0 or less would make the end check and the point scan run for ever.
TEST(Timer, CycleWithoutLengthEndsAtOnceInsteadOfHanging) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    struct Case {
        float duration;
        bool loop;
        std::vector<float> points;
        Strings perFrame;  // events of each frame while it keeps running
    };
    std::vector<Case> cases = {
        {0, false, {}, {"to@0"}},
        {0, true, {}, {"to@0"}},
        {0, false, {0}, {"to@0"}},
        {0, true, {0}, {"to@0"}},
        {0, false, {0, 0, 0}, {"ph@1", "ph@2", "to@2"}},
        {0, true, {0, 0, 0}, {"ph@1", "ph@2", "to@0"}},
        {-1, false, {0, 0}, {"ph@1", "to@1"}},
        {-1, true, {0, 0}, {"ph@1", "to@0"}},
        {nan, true, {0, 0}, {"ph@1", "to@0"}},
        {nan, false, {}, {"to@0"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "duration " << c.duration << (c.loop ? " looping" : "")
                                        << " points " << c.points.size());
        Window window(Window::Detached{}, 854, 480);
        Rig r(c.duration, c.loop, c.points, &window);
        r.timer->start(0);
        EXPECT_TRUE(r.events.empty()) << "start(0) advances nothing";

        window.deltaTime = 0;
        window.sendBroadcast(Events::UPDATE);
        EXPECT_TRUE(r.events.empty()) << "a step of 0 touches no cycle";

        window.deltaTime = 0.02f;
        Strings expected;
        for (int frame = 0; frame < 3; frame++) {
            window.sendBroadcast(Events::UPDATE);
            if (c.loop || frame == 0) expected.insert(expected.end(), c.perFrame.begin(), c.perFrame.end());
        }
        EXPECT_EQ(r.events, expected);
        EXPECT_EQ(r.timer->running, c.loop);
        if (c.loop)
            EXPECT_EQ(r.timer->time, 0.0f);
        else
            EXPECT_TRUE(r.timer->time == c.duration || (std::isnan(c.duration) && std::isnan(r.timer->time)));

        r.owner->unlink();
        delete r.owner;
    }
}

TEST(Timer, NonFiniteStepsAreIgnored) {
    for (float dt : {std::numeric_limits<float>::infinity(), -std::numeric_limits<float>::infinity(),
                     std::numeric_limits<float>::quiet_NaN()}) {
        SCOPED_TRACE(dt);
        Rig r(0.5f, true, {0.1f, 0.3f});
        r.timer->start(0.2f);
        ASSERT_EQ(r.events, (Strings{"ph@1"}));
        r.timer->animate(dt);
        EXPECT_EQ(r.events, (Strings{"ph@1"}));
        EXPECT_NEAR(r.timer->time, 0.2f, 1e-6);
        EXPECT_EQ(r.timer->phase, 1);
    }
}

TEST(Timer, StepTooLongForFloatToCountItsCyclesStillEnds) {
    Rig r(0.02f, true, {0, 0.01f});
    r.timer->start(0);
    r.timer->animate(1e9f);
    EXPECT_GE(r.timer->time, 0.0f);
    EXPECT_LE(r.timer->time, 0.02f);
    EXPECT_TRUE(r.timer->running);
    ASSERT_FALSE(r.events.empty());
    EXPECT_EQ(r.events.back(), "to@" + std::to_string(r.timer->phase));
}

TEST(Timer, PhaseBeyondShrunkenPointsIsClampedAndTheScanEnds) {
    for (bool loop : {false, true}) {
        SCOPED_TRACE(loop ? "looping" : "not looping");
        Rig r(1, loop, {0.1f, 0.2f, 0.3f, 0.4f, 0.5f});
        r.timer->start(0.45f);
        ASSERT_EQ(r.timer->phase, 4);
        const float fewer[] = {0.6f, 0.8f};
        r.timer->setIntervals(2, fewer);
        r.events.clear();
        std::string out = captureStdout([&] { r.timer->animate(0.6f); });
        EXPECT_EQ(out, "") << "no list access out of range";
        // Clamped to the last point (0.8), which is passed silently in both modes.
        EXPECT_EQ(r.timer->phase, loop ? 0 : 1);
        EXPECT_EQ(r.events, (Strings{"to@" + std::to_string(r.timer->phase)}));
    }
}

}  // namespace
