// Interpolation: the keys and position around a timer's phase, linear, cosine and cubic
// values worked out by hand, looping across the cycle's end, and keys read in place.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "window/Interpolation.h"
#include "window/Timer.h"

namespace {

Timer* makeTimer(float duration, std::vector<float> points, bool loop = false) {
    auto* t = new Timer(duration);
    t->loop = loop;
    t->setIntervals(static_cast<int>(points.size()), points.data());
    return t;
}

TEST(Interpolation, FadeRisesAndFallsOverOneSecond) {
    // Points 0, 0.5, 1, keys 0, 1, 0, linear, not looping.
    Timer t(1);
    const float points[] = {0, 0.5f, 1};
    const float keys[] = {0, 1, 0};
    t.setIntervals(3, points);
    t.start(0);
    EXPECT_EQ(Interpolation::linear(&t, keys, 4, 0, false), 0.0f);
    struct Step {
        float dt;
        float value;
        int phase;
        bool running;
    };
    for (const Step& s : std::vector<Step>{{0.125f, 0.25f, 1, true},      // time 0.125
                                           {0.125f, 0.5f, 1, true},       // 0.25
                                           {0.25f, 1.0f, 2, true},        // 0.5: the second point
                                           {0.125f, 0.75f, 2, true},      // 0.625
                                           {0.25f, 0.25f, 2, true},       // 0.875
                                           {0.125f, 0.0f, 2, true},       // 1.0: not yet over
                                           {0.0625f, 0.0f, 2, false}}) {  // past the end
        t.animate(s.dt);
        SCOPED_TRACE(testing::Message() << "time " << t.time);
        EXPECT_NEAR(Interpolation::linear(&t, keys, 4, 0, false), s.value, 1e-5);
        EXPECT_EQ(t.phase, s.phase);
        EXPECT_EQ(t.running, s.running);
    }
    EXPECT_EQ(t.time, 1.0f);
}

TEST(Interpolation, CurvesAtTimesWorkedOutByHand) {
    // Points 0, 1, 2, 3 with keys 1, 2, 4, 8 (cycle of 3 s); points 0, 1 with keys 0, 10.
    const float steep[] = {1, 2, 4, 8};
    const float ramp[] = {0, 10};
    struct Case {
        const char* what;
        const float* keys;
        std::vector<float> points;
        float time;
        float linear, cosine, cubic;
    };
    // cubic at mu 0.5 with (y0, y1, y2, y3):
    //   (1, 1, 2, 4): a0 = 2, a1 = -2, a2 = 1  -> 0.25 - 0.5 + 0.5 + 1 = 1.25
    //   (1, 2, 4, 8): a0 = 5, a1 = -6, a2 = 3  -> 0.625 - 1.5 + 1.5 + 2 = 2.625
    //   (2, 4, 8, 8): a0 = 2, a1 = -4, a2 = 6  -> 0.25 - 1 + 3 + 4 = 6.25
    // cosine: m2 = (1 - cos(mu pi)) / 2; mu 0.25 -> 0.1464466, mu 0.75 -> 0.8535534
    std::vector<Case> cases = {
        {"first segment", steep, {0, 1, 2, 3}, 0.5f, 1.5f, 1.5f, 1.25f},
        {"middle segment", steep, {0, 1, 2, 3}, 1.5f, 3.0f, 3.0f, 2.625f},
        {"last segment repeats the last key as y3", steep, {0, 1, 2, 3}, 2.5f, 6.0f, 6.0f, 6.25f},
        {"ease at a quarter", ramp, {0, 1}, 0.25f, 2.5f, 1.4644661f, 2.5f},
        {"ease at three quarters", ramp, {0, 1}, 0.75f, 7.5f, 8.5355339f, 7.5f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Timer t(c.points.back());
        t.setIntervals(static_cast<int>(c.points.size()), c.points.data());
        t.start(c.time);
        EXPECT_NEAR(Interpolation::linear(&t, c.keys, 4, 0, false), c.linear, 1e-5);
        EXPECT_NEAR(Interpolation::cosine(&t, c.keys, 4, 0, false), c.cosine, 1e-5);
        EXPECT_NEAR(Interpolation::cubic(&t, c.keys, 4, 0, false), c.cubic, 1e-5);
    }
}

TEST(Interpolation, KeysAroundThePhaseWithoutLooping) {
    const float keys[] = {10, 20, 30, 40, 50};
    Timer* t = makeTimer(4, {0, 1, 2, 3, 4});
    struct Case {
        int phase;
        float time;
        InterpolationInput expected;
    };
    for (const Case& c :
         std::vector<Case>{{0, 0.0f, {0, 10, 10, 10, 20}},  // before the first point: key 0 throughout
                           {0, 0.7f, {0, 10, 10, 10, 20}},
                           {1, 0.25f, {0.25f, 10, 10, 20, 30}},
                           {3, 2.5f, {0.5f, 20, 30, 40, 50}},
                           {4, 3.5f, {0.5f, 30, 40, 50, 50}},
                           {4, 4.0f, {1, 30, 40, 50, 50}}}) {
        SCOPED_TRACE(testing::Message() << "phase " << c.phase << " time " << c.time);
        t->phase = c.phase;
        t->time = c.time;
        InterpolationInput in;
        Interpolation::getValues(t, keys, 4, 0, false, &in);
        EXPECT_FLOAT_EQ(in.mu, c.expected.mu);
        EXPECT_EQ(in.y0, c.expected.y0);
        EXPECT_EQ(in.y1, c.expected.y1);
        EXPECT_EQ(in.y2, c.expected.y2);
        EXPECT_EQ(in.y3, c.expected.y3);
    }
    delete t;
}

TEST(Interpolation, AfterTheLastPointTheCurveIsExtrapolated) {
    const float keys[] = {0, 1};
    Timer* t = makeTimer(1, {0, 0.5f});
    t->start(0.75f);
    ASSERT_EQ(t->phase, 1);
    EXPECT_FLOAT_EQ(Interpolation::linear(t, keys, 4, 0, false), 1.5f);
    delete t;
}

TEST(Interpolation, LoopingRunsFromTheLastKeyToTheFirstAcrossTheCycleEnd) {
    // Points 0.2 and 0.6 of a 1 s cycle, keys 10 and 20. In phase 0 the span runs from 0.6
    // over the end of the cycle to 0.2 of the next: 0.6 s long.
    const float keys[] = {10, 20};
    Timer* t = makeTimer(1, {0.2f, 0.6f}, true);
    t->start(0);
    struct Step {
        float dt;
        int phase;
        float mu;
        float value;
    };
    for (const Step& s : std::vector<Step>{
             {0.1f, 0, (1.1f - 0.6f) / 0.6f, 20 - 10 * (0.5f / 0.6f)},  // time 0.1, wrapped to 1.1
             {0.3f, 1, 0.5f, 15},                                       // time 0.4
             {0.3f, 0, 0.1f / 0.6f, 20 - 10 * (0.1f / 0.6f)},           // time 0.7, past 0.6
             {0.4f, 0, 0.5f / 0.6f, 20 - 10 * (0.5f / 0.6f)}}) {        // time 0.1 again
        t->animate(s.dt);
        SCOPED_TRACE(testing::Message() << "time " << t->time);
        ASSERT_EQ(t->phase, s.phase);
        InterpolationInput in;
        Interpolation::getValues(t, keys, 4, 0, true, &in);
        EXPECT_NEAR(in.mu, s.mu, 1e-5);
        EXPECT_NEAR(Interpolation::linear(t, keys, 4, 0, true), s.value, 1e-4);
    }
    delete t;
}

TEST(Interpolation, LoopingKeysWrapAroundThePhase) {
    const float keys[] = {1, 2, 3};
    Timer* t = makeTimer(1, {0.2f, 0.5f, 0.8f}, true);
    struct Case {
        int phase;
        float y0, y1, y2, y3;
    };
    for (const Case& c : std::vector<Case>{{0, 2, 3, 1, 2}, {1, 3, 1, 2, 3}, {2, 1, 2, 3, 1}}) {
        SCOPED_TRACE(c.phase);
        t->phase = c.phase;
        t->time = 0.5f;
        InterpolationInput in;
        Interpolation::getValues(t, keys, 4, 0, true, &in);
        EXPECT_EQ(in.y0, c.y0);
        EXPECT_EQ(in.y1, c.y1);
        EXPECT_EQ(in.y2, c.y2);
        EXPECT_EQ(in.y3, c.y3);
    }
    delete t;
}

TEST(Interpolation, WrappedSpanOfZeroHoldsTheLastKey) {
    // First point 0, last point the cycle's end: the span from the last point to the first
    // across the end has no length.
    const float keys[] = {5, 7};
    Timer* t = makeTimer(1, {0, 1}, true);
    for (float time : {1.0f, 0.3f, 0.0f}) {
        SCOPED_TRACE(time);
        t->time = time;  // set directly, without starting, in phase 0
        InterpolationInput in;
        Interpolation::getValues(t, keys, 4, 0, true, &in);
        EXPECT_EQ(in.mu, 0.0f);
        EXPECT_EQ(Interpolation::linear(t, keys, 4, 0, true), 7.0f);
        EXPECT_EQ(Interpolation::cubic(t, keys, 4, 0, true), 7.0f);
    }
    delete t;
}

TEST(Interpolation, KeysAreReadFromRecordsByStrideAndOffset) {
    struct Vertex {
        float x, y, z;
        char tag;  // makes the record 16 bytes, so the stride is not a multiple of the key
    };
    const Vertex keys[] = {{1, 100, -1, 'a'}, {2, 200, -2, 'b'}, {3, 300, -3, 'c'}};
    Timer* t = makeTimer(2, {0, 1, 2});
    t->start(1.25f);
    const int stride = static_cast<int>(sizeof(Vertex));
    EXPECT_FLOAT_EQ(Interpolation::linear(t, keys, stride, 0, false), 2.25f);
    EXPECT_FLOAT_EQ(Interpolation::linear(t, keys, stride, 4, false), 225.0f);
    EXPECT_FLOAT_EQ(Interpolation::linear(t, keys, stride, 8, false), -2.25f);
    delete t;
}

TEST(Interpolation, NeverReadsKeysBeyondThePoints) {
    // Key storage for exactly the timer's points, then a value that must never be read.
    const float keys[] = {1, 2, 3, 999};
    for (bool loop : {false, true}) {
        SCOPED_TRACE(loop ? "looping" : "not looping");
        Timer* t = makeTimer(1, {0, 0.5f, 1}, loop);
        for (int phase : {3, 7, -2}) {
            t->phase = phase;
            t->time = 0.75f;
            InterpolationInput in;
            Interpolation::getValues(t, keys, 4, 0, loop, &in);
            for (float y : {in.y0, in.y1, in.y2, in.y3}) EXPECT_NE(y, 999.0f) << "phase " << phase;
        }
        delete t;

        // Without points nothing is read at all, and nothing divides by the point count.
        Timer empty(1);
        empty.time = 0.5f;
        InterpolationInput in;
        in.mu = 42;
        Interpolation::getValues(&empty, nullptr, 4, 0, loop, &in);
        EXPECT_EQ(in.mu, 0.0f);
        EXPECT_EQ(in.y1, 0.0f);
        EXPECT_EQ(Interpolation::cosine(&empty, nullptr, 4, 0, loop), 0.0f);
    }
}

}  // namespace
