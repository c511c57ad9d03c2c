// The carousel's turn and spin, the drag samples, the phases of the icons, their opacity
// and the front test, without a window.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "game/gallery/Carousel.h"

namespace {

TEST(CarouselTest, PhasesWrapIntoOneTurn) {
    struct Case {
        float phase, wrapped;
    };
    const Case cases[] = {
        {0.0f, 0.0f},
        {0.25f, 0.25f},
        {1.0f, 0.0f},
        {1.25f, 0.25f},
        {3.75f, 0.75f},
        {-0.25f, 0.75f},
        {-1.0f, 0.0f},
        {-2.5f, 0.5f},
        {0.999f, 0.999f},
        // A phase a hair below 0 rounds up to a whole turn, which counts as 0.
        {-1e-9f, 0.0f},
        // A carousel that has turned for hours still places its icons at once.
        {123456.75f, 0.75f},
    };
    for (const Case& c : cases) {
        float w = Carousel::wrapPhase(c.phase);
        EXPECT_FLOAT_EQ(w, c.wrapped) << c.phase;
        EXPECT_GE(w, 0.0f) << c.phase;
        EXPECT_LT(w, 1.0f) << c.phase;
    }
}

TEST(CarouselTest, IconsAreSpacedByTheirIndexAndMovedByTheTurn) {
    Carousel c;
    // The camera is child 0, so with eight icons the fourth one stands in the middle.
    EXPECT_FLOAT_EQ(c.phaseOf(4, 8), 0.5f);
    EXPECT_FLOAT_EQ(c.phaseOf(1, 8), 0.125f);
    EXPECT_FLOAT_EQ(c.phaseOf(8, 8), 0.0f);
    c.rotation = 2.25f;
    EXPECT_FLOAT_EQ(c.phaseOf(4, 8), 0.75f);
    c.rotation = -0.625f;
    EXPECT_FLOAT_EQ(c.phaseOf(1, 8), 0.5f);
}

TEST(CarouselTest, IconsAreClearAtTheEndsAndOpaqueInTheMiddle) {
    const float phases[] = {0.0f, 0.1f, 0.25f, 0.5f, 0.75f, 0.9f, 0.999f};
    const float opacities[] = {0.0f, 0.2f, 0.5f, 1.0f, 0.5f, 0.2f, 0.002f};
    for (int i = 0; i < 7; i++) EXPECT_NEAR(Carousel::opacity(phases[i]), opacities[i], 1e-5f) << phases[i];
}

TEST(CarouselTest, AnIconIsInFrontStrictlyWithinHalfASpacingOfTheMiddle) {
    const int n = 8;
    const float h = 0.5f / n;
    struct Case {
        float phase;
        bool front;
    };
    const Case cases[] = {
        {0.5f, true},
        {0.5f - h, false},
        {0.5f + h, false},
        {0.5f - h + 1e-4f, true},
        {0.5f + h - 1e-4f, true},
        {0.3f, false},
        {0.0f, false},
    };
    for (const Case& c : cases) EXPECT_EQ(Carousel::inFront(c.phase, n), c.front) << c.phase;
    // With a single icon the whole turn but its ends is the front.
    EXPECT_TRUE(Carousel::inFront(0.01f, 1));
    EXPECT_FALSE(Carousel::inFront(0.0f, 1));
}

TEST(CarouselTest, FromStartItTurnsAboutTwoTurnsBeforeItRests) {
    Carousel c;
    int frames = 0;
    while (c.spinSpeed > 1e-7f && frames < 10000) {
        c.turn(0.02f, false);
        frames++;
    }
    EXPECT_GE(c.rotation, 1.8f);
    EXPECT_LE(c.rotation, 2.2f);
    // The decay is per frame: after one second of 20 ms frames the spin is 0.9^50 of itself.
    Carousel second;
    for (int i = 0; i < 50; i++) second.turn(0.02f, false);
    EXPECT_NEAR(second.spinSpeed, 0.1f * std::pow(0.9f, 50), 1e-7f);
}

TEST(CarouselTest, DragSamplesSetTheSpinToTheirMean) {
    Carousel c;
    // Right and up spin forwards, left and down backwards; diagonals count in full.
    c.drag(Vector2(0.1f, 0));
    EXPECT_NEAR(c.dragSamples[0], 0.07071f, 1e-6f);
    EXPECT_NEAR(c.spinSpeed, 0.07071f / 5, 1e-6f);
    c.drag(Vector2(0, -0.1f));
    c.drag(Vector2(0.1f, -0.1f));
    c.drag(Vector2(-0.1f, 0));
    c.drag(Vector2(0, 0.2f));
    const std::vector<float> samples = {0.07071f, 0.07071f, 0.14142f, -0.07071f, -0.14142f};
    for (int i = 0; i < 5; i++) EXPECT_NEAR(c.dragSamples[i], samples[static_cast<size_t>(i)], 1e-6f) << i;
    EXPECT_EQ(c.dragSampleIndex, 0) << "the index wraps after the fifth sample";
    EXPECT_NEAR(c.spinSpeed, 0.07071f / 5, 1e-6f);

    // The sixth sample replaces the first.
    c.drag(Vector2(0.3f, 0));
    EXPECT_NEAR(c.dragSamples[0], 0.21213f, 1e-6f);
    EXPECT_EQ(c.dragSampleIndex, 1);
    EXPECT_NEAR(c.spinSpeed, (0.21213f + 0.07071f + 0.14142f - 0.07071f - 0.14142f) / 5, 1e-6f);
}

TEST(CarouselTest, TheSpinDoesNotDecayWhileTheButtonIsHeld) {
    Carousel c;
    c.spinSpeed = 0.05f;
    for (int i = 0; i < 100; i++) c.turn(0.02f, true);
    EXPECT_EQ(c.spinSpeed, 0.05f);
    EXPECT_NEAR(c.rotation, 100 * 0.05f * 100 * 0.02f, 1e-3f);
    c.turn(0.02f, false);
    EXPECT_FLOAT_EQ(c.spinSpeed, 0.045f);
    // A frame of no time turns nothing but still decays.
    float before = c.rotation;
    c.turn(0, false);
    EXPECT_EQ(c.rotation, before);
    EXPECT_FLOAT_EQ(c.spinSpeed, 0.0405f);
}

}  // namespace
