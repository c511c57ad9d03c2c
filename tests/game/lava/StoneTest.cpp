// Stones without a window: switching and bursting, the win test, celebrating, new games, the
// spin and the brightness over frames.
#include <gtest/gtest.h>

#include "StoneStage.h"
#include "game/lava/LavaEvents.h"
#include "math/Matrix4x4.h"

namespace {

using StoneTest = StoneStage;

TEST_F(StoneTest, ASwitchFlipsOnlyTheStoneWithThatId) {
    std::vector<Stone*> stones = row({false, false, true, false, false, false, false});
    int id = 2;
    broadcast(Events::SWITCH, &id);
    for (Stone* s : stones) EXPECT_EQ(s->lit, false) << "stone " << s->id;
    id = 4;
    broadcast(Events::SWITCH, &id);
    for (Stone* s : stones) EXPECT_EQ(s->lit, s->id == 4) << "stone " << s->id;
}

TEST_F(StoneTest, LightingUpSpinsAndBurstsGoingDarkOnlyFades) {
    std::vector<Stone*> stones = row({false, true, false, false, false, false, false});
    int id = 0;
    broadcast(Events::SWITCH, &id);
    EXPECT_TRUE(stones[0]->lit);
    EXPECT_EQ(stones[0]->spin, 100);
    ASSERT_EQ(novas().size(), 1u);
    id = 1;
    broadcast(Events::SWITCH, &id);
    EXPECT_FALSE(stones[1]->lit);
    EXPECT_EQ(stones[1]->spin, 0);
    EXPECT_EQ(novas().size(), 1u);
}

TEST_F(StoneTest, SwitchedTwiceInOneFrameEndsAsItWasAndBurstsOnlyWhenItLights) {
    for (bool startLit : {false, true}) {
        SCOPED_TRACE(startLit ? "starts lit" : "starts dark");
        scene->removeChildren();
        std::vector<Stone*> stones = row(std::vector<bool>(7, startLit));
        int id = 3;
        broadcast(Events::SWITCH, &id);
        broadcast(Events::SWITCH, &id);
        EXPECT_EQ(stones[3]->lit, startLit);
        EXPECT_EQ(novas().size(), 1u) << "one burst: on the switch that lit it";
        frame();
        EXPECT_EQ(stones[3]->ambientColor.r, startLit ? 1.0f : Stone::DARK);
    }
}

TEST_F(StoneTest, TheWinTestFailsWhileAnyStoneIsDark) {
    struct Case {
        std::vector<bool> lit;
        bool solved;
    };
    for (const Case& c :
         {Case{std::vector<bool>(7, true), true}, Case{{true, true, true, false, true, true, true}, false},
          Case{std::vector<bool>(7, false), false}}) {
        scene->removeChildren();
        row(c.lit);
        bool solved = true;
        broadcast(Events::TEST_SUCCESS, &solved);
        EXPECT_EQ(solved, c.solved);
    }
}

TEST_F(StoneTest, CelebratingStonesKeepSpinningUntilANewGame) {
    std::vector<Stone*> stones = row(std::vector<bool>(7, true));
    broadcast(Events::WIN, nullptr);
    for (int i = 0; i < 100; i++) frame();
    for (Stone* s : stones) {
        EXPECT_TRUE(s->celebrating);
        EXPECT_EQ(s->spin, 100);
        EXPECT_NEAR(length(s->axis), 1, 1e-5);
    }
    bool next[7] = {true, false, false, true, false, true, false};
    broadcast(Events::RESET_STATES, next);
    for (Stone* s : stones) {
        EXPECT_EQ(s->lit, next[s->id]);
        EXPECT_FALSE(s->celebrating);
    }
    // The spin dies down by 10 degrees per second each second.
    frame(0.5f);
    EXPECT_NEAR(stones[0]->spin, 95, 1e-4);
    for (int i = 0; i < 10; i++) frame(1);
    EXPECT_EQ(stones[0]->spin, 0);
    EXPECT_EQ(novas().size(), 0u) << "a new game bursts nothing";
}

TEST_F(StoneTest, TheStoneSpinsAboutItsAxisByItsSpeed) {
    std::vector<Stone*> stones = row(std::vector<bool>(7, true));
    Stone* s = stones[2];
    s->spin = 90;
    Matrix4x4 before = s->localMatrix;
    Matrix4x4 expected = before;
    expected.rotate(s->axis, 90 * 0.02f);
    frame(0.02f);
    for (int k = 0; k < 16; k++) EXPECT_NEAR(s->localMatrix.m[k], expected.m[k], 1e-5) << k;
    EXPECT_NEAR(s->spin, 90 - 10 * 0.02f, 1e-5);
    EXPECT_EQ(s->localMatrix.getBase(), before.getBase()) << "spins in place";
}

TEST_F(StoneTest, BrightnessFollowsTheStateOverFrames) {
    std::vector<Stone*> stones = row({true, false, false, false, false, false, false});
    EXPECT_EQ(stones[0]->ambientColor.r, 1.0f);
    EXPECT_EQ(stones[1]->ambientColor.r, Stone::DARK);
    int id = 1;
    broadcast(Events::SWITCH, &id);
    id = 0;
    broadcast(Events::SWITCH, &id);
    frame(0.1f);
    EXPECT_NEAR(stones[1]->ambientColor.r, 0.5f, 1e-6);
    EXPECT_NEAR(stones[0]->ambientColor.r, 0.95f, 1e-6);
    for (int i = 0; i < 13; i++) frame(0.1f);  // 1.4 s in all
    EXPECT_EQ(stones[1]->ambientColor.r, 1.0f);
    EXPECT_NEAR(stones[0]->ambientColor.r, Stone::DARK, 1e-6);
    const Color c = stones[0]->ambientColor;
    EXPECT_EQ(c.g, c.r);
    EXPECT_EQ(c.b, c.r);
    EXPECT_EQ(c.a, 1.0f);
}

TEST_F(StoneTest, NovaEventsBurstTheStoneWithThatIdEveryTime) {
    std::vector<Stone*> stones = row(std::vector<bool>(7, true));
    stones[5]->spin = 42;
    int id = 5;
    broadcast(Events::NOVA, &id);
    broadcast(Events::NOVA, &id);
    EXPECT_EQ(novas().size(), 2u);
    EXPECT_EQ(stones[5]->spin, 42) << "the spin speed stays";
    broadcast(Events::NOVA, nullptr);  // the timer's own event carries no id
    EXPECT_EQ(novas().size(), 2u);
}

TEST_F(StoneTest, ANovaFliesFromTheStoneAlongItsAxisCarriedByTheRing) {
    // The ring of level 3: turned, and set 0.2 above the middle.
    auto* ring = new Transform();
    ring->localMatrix.translate(Vector3(0, 0.2f, 0));
    ring->localMatrix.rotate(Vector3(0, 0, 1), 30);
    std::vector<Stone*> stones = row(std::vector<bool>(7, false), ring);
    scene->add(ring);
    Stone* s = stones[1];
    int id = 1;
    broadcast(Events::SWITCH, &id);
    ASSERT_EQ(novas().size(), 1u);
    Nova* nova = novas()[0];

    Vector3 position = s->getGlobalTransform().getBase();
    EXPECT_NEAR(nova->localMatrix.getBase().x, position.x, 1e-5);
    EXPECT_NEAR(nova->localMatrix.getBase().y, position.y, 1e-5);
    EXPECT_NEAR(nova->localMatrix.getBase().z, position.z, 1e-5);
    // It looks (along -z) at position + the axis taken through the ring as a point.
    Vector3 target = position + ring->getGlobalTransform().translateVector(s->axis);
    Vector3 look = normalize(target - position);
    Vector3 z = normalize(nova->localMatrix.getZ());
    EXPECT_NEAR(dot(z, look), -1, 1e-4);
    EXPECT_NEAR(length(nova->localMatrix.getX()), Nova::START_SCALE, 1e-5);
    EXPECT_EQ(nova->ambientColor, Stone::look(StoneKind::LAVA).novaColour);
    EXPECT_EQ(nova->layerMask, 2u);
}

TEST_F(StoneTest, NovaColoursByKind) {
    struct Case {
        StoneKind kind;
        const char* texture;
        Color colour;
    };
    for (const Case& c :
         {Case{StoneKind::LAVA, "lava.png", Color{248 / 255.0f, 235 / 255.0f, 58 / 255.0f, 1}},
          Case{StoneKind::WATER, "water.png", Color{6 / 255.0f, 228 / 255.0f, 235 / 255.0f, 1}},
          Case{StoneKind::GREEN_LAVA, "green_lava.png", Color{128 / 255.0f, 228 / 255.0f, 185 / 255.0f, 1}},
          Case{static_cast<StoneKind>(7), "green_lava.png",
               Color{128 / 255.0f, 228 / 255.0f, 185 / 255.0f, 1}}}) {
        EXPECT_STREQ(Stone::look(c.kind).texture, c.texture);
        EXPECT_EQ(Stone::look(c.kind).novaColour, c.colour);
    }
}

}  // namespace
