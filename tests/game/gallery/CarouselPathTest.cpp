// The icons' path: the key rows at the six points, the cubic between them, the phase lead
// and the direction of travel, without a window.
#include <gtest/gtest.h>

#include "game/gallery/CarouselPath.h"

namespace {

const float EPS = 1e-4f;

void expectNear(Vector3 got, Vector3 want, const char* what) {
    EXPECT_NEAR(got.x, want.x, EPS) << what;
    EXPECT_NEAR(got.y, want.y, EPS) << what;
    EXPECT_NEAR(got.z, want.z, EPS) << what;
}

TEST(CarouselPathTest, ThePathRunsThroughItsKeysAndCurvesBetweenThem) {
    struct Case {
        float time;
        Vector3 point;
    };
    // Between two points the curve is a0 mu^3 + a1 mu^2 + a2 mu + y1 over the keys around
    // the segment (worked out by hand at the middle of each segment).
    const Case cases[] = {
        {0.0f, {-6.2f, 0, -3}},
        {0.3f, {-3, 0, 0}},
        {0.4f, {-0.5f, -1, 2}},
        {0.6f, {0.5f, 1, 2}},
        {0.7f, {3, 0, 0}},
        {1.0f, {6.2f, 0, -3}},
        {0.15f, {-4.9125f, 0.125f, -1.75f}},
        {0.35f, {-1.475f, -0.75f, 1.375f}},
        {0.5f, {0, 0, 2.5f}},
        {0.65f, {1.475f, 0.75f, 1.375f}},
        {0.85f, {4.9125f, -0.125f, -1.75f}},
        // Before the start the path stands at its first key.
        {-0.005f, {-6.2f, 0, -3}},
    };
    CarouselPath path;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.time);
        expectNear(path.at(c.time), c.point, "at");
    }
}

TEST(CarouselPathTest, AnIconIsPlacedALittleBehindItsPhaseAndTravelsOnwards) {
    CarouselPath path;
    Vector3 position, travel;

    // The middle of the carousel is read at 0.49: just left of centre and rising.
    path.place(0.5f, &position, &travel);
    expectNear(position, path.at(0.49f), "phase 0.5");
    expectNear(travel, Vector3(path.at(0.51f).x - position.x, path.at(0.51f).y - position.y, 0), "travel");
    EXPECT_GT(travel.y, 0);

    // Entering: the first hundredth of a turn waits at the first key, then moves in.
    path.place(0.005f, &position, &travel);
    expectNear(position, Vector3(-6.2f, 0, -3), "entering");
    EXPECT_NEAR(travel.x, path.at(0.02f).x + 6.2f, EPS);
    EXPECT_GT(travel.x, 0);

    // Leaving: the look-ahead stops at the end of the path.
    path.place(0.995f, &position, &travel);
    expectNear(position, path.at(0.985f), "leaving");
    EXPECT_NEAR(travel.x, 6.2f - position.x, EPS);
    EXPECT_GT(travel.x, 0);
}

}  // namespace
