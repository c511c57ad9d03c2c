// Novas and the hidden reset without a window: a nova grows, fades and removes itself, also
// when it flies straight up; the hidden reset is a square that picking hits.
#include <gtest/gtest.h>

#include <cmath>

#include "StoneStage.h"
#include "game/lava/HiddenReset.h"
#include "game/lava/LavaLevels.h"
#include "scene/Collider.h"
#include "scene/Scene.h"

namespace {

using NovaTest = StoneStage;

TEST_F(NovaTest, GrowsFadesAndRemovesItselfAfterSevenTenthsOfASecond) {
    auto* nova = new Nova(Vector3(1, 0, -4), Vector3(0, 0, 1), Color{1, 0.5f, 0.25f, 1});
    scene->add(nova);
    EXPECT_NEAR(length(nova->localMatrix.getX()), 0.3f, 1e-6);
    // Frames of 1/16 s: older than 0.7 s after the 12th, dropped by its parent on the 13th.
    int frames = 0;
    while (scene->children.size() > 0 && frames < 100) {
        frame(0.0625f);
        frames++;
        if (scene->children.size() == 0) break;
        EXPECT_EQ(nova->expired, nova->age > 0.7f);
        EXPECT_NEAR(nova->ambientColor.a, 1 - nova->age / 0.7f, 1e-5);
        EXPECT_EQ(nova->ambientColor.r, 1.0f);
        EXPECT_EQ(nova->ambientColor.g, 0.5f);
    }
    EXPECT_EQ(frames, 13);
}

TEST_F(NovaTest, GrowsToAboutSixTimesItsSizeOverItsLife) {
    auto* nova = new Nova(Vector3(1, 0, -4), Vector3(1, 0, 0), Color{1, 1, 1, 1});
    scene->add(nova);
    float size = 0;
    while (!nova->expired) {
        size = length(nova->localMatrix.getX());
        frame(0.01f);
    }
    EXPECT_NEAR(size / 0.3f, 5.8f, 0.4f);
}

TEST_F(NovaTest, GrowsFastAtFirst) {
    EXPECT_NEAR(Nova::growth(0.02f, 0.02f), 1.0769f, 1e-4);
    EXPECT_NEAR(Nova::growth(0.02f, 0.7f), 1.0333f, 1e-4);
    EXPECT_EQ(Nova::growth(0, 0.3f), 1.0f);
}

TEST_F(NovaTest, ANovaAlongTheVerticalHasAFiniteMatrix) {
    // A stone whose axis came out as (0, 1, 0) or (0, -1, 0): the view runs along up.
    for (Vector3 direction : {Vector3(0, 1, 0), Vector3(0, -1, 0), Vector3(0, 3, 0)}) {
        Nova nova(Vector3(0.5f, 0, -4), direction, Color{1, 1, 1, 1});
        for (float v : nova.localMatrix.m) EXPECT_TRUE(std::isfinite(v));
        Vector3 z = normalize(nova.localMatrix.getZ());
        EXPECT_NEAR(dot(z, normalize(direction)), -1, 1e-5);
        EXPECT_NEAR(length(nova.localMatrix.getX()), 0.3f, 1e-5);
        EXPECT_NEAR(length(nova.localMatrix.getY()), 0.3f, 1e-5);
        EXPECT_NEAR(dot(nova.localMatrix.getX(), nova.localMatrix.getY()), 0, 1e-6);
    }
}

TEST_F(NovaTest, TheHiddenResetIsASquareInThePlaneOfTheStones) {
    // The third level's: the larger one, top right.
    const LavaLevels::Level& level = LavaLevels::LEVEL_TABLE[2];
    auto* reset = new HiddenReset(level.resetX, level.resetY, level.resetSize);
    scene->add(reset);
    struct Case {
        float dx, dy;  // from the centre, in half sides; looked at from the origin
        bool hit;
    };
    for (const Case c : {Case{0, 0, true}, Case{-0.9f, -0.9f, true}, Case{0.9f, 0.9f, true},
                         Case{-1.1f, 0, false}, Case{0, 1.1f, false}}) {
        Vector3 towards(level.resetX + c.dx * level.resetSize, level.resetY + c.dy * level.resetSize,
                        LavaLevels::STONE_Z);
        scene->raycast(Ray{Vector3(0, 0, 0), normalize(towards)});
        ASSERT_EQ(Scene::raycastInfo.results.size(), c.hit ? 1 : 0) << c.dx << ", " << c.dy;
        if (c.hit) {
            EXPECT_EQ(findAncestor<HiddenReset>(Scene::raycastInfo.results.get(0).collider), reset);
            EXPECT_NEAR(Scene::raycastInfo.results.get(0).point.z, LavaLevels::STONE_Z, 1e-4);
        }
    }
    // Nothing straight ahead, far from the square.
    scene->raycast(Ray{Vector3(0, 0, 0), Vector3(0, 0, -1)});
    EXPECT_EQ(Scene::raycastInfo.results.size(), 0);
}

}  // namespace
