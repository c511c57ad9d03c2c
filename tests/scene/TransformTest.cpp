// Transform: matrix accumulation through "render" and "raycast" passes, records handed to
// children, global matrices through non-transform ancestors, and lookAt.
#include <gtest/gtest.h>

#include <cmath>

#include "core/Component.h"
#include "resources/ResourceEvents.h"
#include "scene/SceneEvents.h"
#include "scene/Transform.h"
#include "support/MatrixAssert.h"
#include "support/RecordingComponent.h"
#include "support/Thrown.h"
#include "window/WindowEvents.h"

namespace {

const float EPS = 1e-5f;

Matrix4x4 translation(float x, float y, float z) { return Matrix4x4(Vector3(x, y, z)); }

// Broadcasts a "render" pass from `root` with the given top matrix, as a scene does.
void renderPass(Component* root, Matrix4x4 top = Matrix4x4()) {
    Event e;
    e.name = Events::RENDER;
    e.source = root;
    e.data = &top;
    root->sendBroadcast(&e);
}

TEST(Transform, StartsWithIdentityMatricesAndAnEmptyRecord) {
    Transform t;
    EXPECT_TRUE(matrixNear(t.localMatrix, Matrix4x4(), 0));
    EXPECT_TRUE(matrixNear(t.worldMatrix, Matrix4x4(), 0));
    EXPECT_EQ(t.event.name, nullptr);
    EXPECT_EQ(t.event.source, nullptr);
    EXPECT_EQ(t.event.data, nullptr);
    EXPECT_TRUE(t.event.propagate);
}

TEST(Transform, IdentityAtTheTopPassesTheTopMatrixAndChildrenGetTheirOwn) {
    EventLog log;
    Component root;
    auto* top = new Transform;
    auto* child = new Transform;
    child->localMatrix = translation(3, 4, 5);
    child->localMatrix.rotate(Vector3(0, 1, 0), 30);
    auto* probe = new RecordingComponent(&log, "probe");
    root.add(top);
    top->add(child);
    top->add(probe);

    renderPass(&root);

    EXPECT_TRUE(matrixNear(top->worldMatrix, Matrix4x4(), 0));
    EXPECT_TRUE(matrixNear(child->worldMatrix, child->localMatrix, EPS));
    ASSERT_EQ(log.seen.size(), 1u);
    EXPECT_EQ(log.seen[0].record, &top->event);
    EXPECT_EQ(log.seen[0].data, &top->worldMatrix);
    EXPECT_EQ(log.seen[0].source, &root);
    EXPECT_EQ(log.seen[0].name, "render");
}

TEST(Transform, NestedTranslationsAccumulateOuterFirst) {
    Component root;
    auto* outer = new Transform;
    auto* inner = new Transform;
    outer->localMatrix = translation(1, 0, 0);
    inner->localMatrix = translation(0, 2, 0);
    root.add(outer);
    outer->add(inner);

    renderPass(&root);

    EXPECT_TRUE(vectorNear(inner->worldMatrix.getBase(), Vector3(1, 2, 0), 0));
    EXPECT_TRUE(matrixNear(inner->getGlobalTransform(), inner->worldMatrix, 0));
}

TEST(Transform, TheParentIsAppliedAfterTheChild) {
    // Outer turns 90 degrees about z, inner sits at (1, 0, 0) in the outer's frame.
    Component root;
    auto* outer = new Transform;
    auto* inner = new Transform;
    outer->localMatrix.rotate(Vector3(0, 0, 1), 90);
    inner->localMatrix = translation(1, 0, 0);
    root.add(outer);
    outer->add(inner);

    renderPass(&root, translation(0, 0, -10));

    EXPECT_TRUE(vectorNear(inner->worldMatrix.getBase(), Vector3(0, 1, -10), EPS));
    EXPECT_TRUE(vectorNear(inner->worldMatrix.getX(), Vector3(0, 1, 0), EPS));
}

TEST(Transform, PlainComponentBetweenTransformsPassesTheRecordThrough) {
    EventLog log;
    Component root;
    auto* outer = new Transform;
    auto* plain = new RecordingComponent(&log, "plain");
    auto* inner = new Transform;
    outer->localMatrix = translation(1, 0, 0);
    inner->localMatrix = translation(0, 2, 0);
    root.add(outer);
    outer->add(plain);
    plain->add(inner);

    renderPass(&root);

    ASSERT_EQ(log.seen.size(), 1u);
    EXPECT_EQ(log.seen[0].record, &outer->event);
    EXPECT_TRUE(vectorNear(inner->worldMatrix.getBase(), Vector3(1, 2, 0), 0));
    EXPECT_TRUE(vectorNear(inner->getGlobalTransform().getBase(), Vector3(1, 2, 0), 0));
}

TEST(Transform, OtherEventsReachTheChildrenAsTheVeryRecordReceived) {
    EventLog log;
    Transform outer;
    auto* inner = new Transform;
    auto* probe = new RecordingComponent(&log, "probe");
    outer.add(inner);
    inner->add(probe);

    for (const char* name : {Events::UPDATE, Events::CREATE_RESOURCES, "rende", "renderX", "raycast2"}) {
        log.clear();
        int payload = 7;
        Event e;
        e.name = name;
        e.source = &outer;
        e.data = &payload;
        outer.sendBroadcast(&e);
        ASSERT_EQ(log.seen.size(), 1u) << name;
        EXPECT_EQ(log.seen[0].record, &e) << name;
        EXPECT_EQ(log.seen[0].data, &payload) << name;
    }
    EXPECT_EQ(inner->event.name, nullptr);
}

TEST(Transform, RaycastRecordCarriesTheWorldMatrixAndTheSameInfo) {
    EventLog log;
    Component root;
    auto* outer = new Transform;
    auto* inner = new Transform;
    auto* probe = new RecordingComponent(&log, "probe");
    outer->localMatrix = translation(1, 0, 0);
    outer->localMatrix.scale(Vector3(2, 2, 2));
    inner->localMatrix = translation(0, 2, 0);
    root.add(outer);
    outer->add(inner);
    inner->add(probe);

    RaycastInfo info;
    Matrix4x4 top;
    RaycastEventData data{&top, &info};
    Event e;
    e.name = Events::RAYCAST;
    e.source = &root;
    e.data = &data;
    root.sendBroadcast(&e);

    ASSERT_EQ(log.seen.size(), 1u);
    EXPECT_EQ(log.seen[0].record, &inner->event);
    EXPECT_EQ(log.seen[0].source, &root);
    EXPECT_EQ(log.seen[0].name, "raycast");
    EXPECT_EQ(log.seen[0].data, &inner->raycastData);
    EXPECT_EQ(inner->raycastData.matrix, &inner->worldMatrix);
    EXPECT_EQ(inner->raycastData.info, &info);
    // The outer scale applies to the inner offset: (1, 0, 0) + 2 * (0, 2, 0).
    EXPECT_TRUE(vectorNear(inner->worldMatrix.getBase(), Vector3(1, 4, 0), EPS));
    EXPECT_TRUE(matrixNear(inner->worldMatrix, inner->getGlobalTransform(), EPS));
}

TEST(Transform, GlobalTransformWalksThroughOtherAncestorsToTheRoot) {
    Transform root;
    root.localMatrix = translation(0, 0, 5);
    auto* plain = new Component;
    auto* middle = new Transform;
    auto* plain2 = new Component;
    auto* leaf = new Transform;
    middle->localMatrix.rotate(Vector3(0, 1, 0), 90);
    leaf->localMatrix = translation(1, 0, 0);
    root.add(plain);
    plain->add(middle);
    middle->add(plain2);
    plain2->add(leaf);

    Matrix4x4 g = leaf->getGlobalTransform();
    // (1, 0, 0) turned about y by 90 degrees is (0, 0, -1); then up by 5 along z.
    EXPECT_TRUE(vectorNear(g.getBase(), Vector3(0, 0, 4), EPS));
    EXPECT_TRUE(vectorNear(g.getX(), Vector3(0, 0, -1), EPS));
    // Independent of any pass: the world matrix is still the identity.
    EXPECT_TRUE(matrixNear(leaf->worldMatrix, Matrix4x4(), 0));
}

TEST(TransformLookAt, TurnsTheNegativeZAxisTowardsTheTargetAndKeepsTheTranslation) {
    struct Case {
        Vector3 position, target, up;
        Vector3 x, y, z;
    };
    const Case cases[] = {
        {{1, 2, 3}, {1, 2, -7}, {0, 1, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}},
        {{1, 2, 3}, {5, 2, 3}, {0, 1, 0}, {0, 0, 1}, {0, 1, 0}, {-1, 0, 0}},
        {{0, 0, 0}, {0, -3, 0}, {0, 0, -1}, {1, 0, 0}, {0, 0, -1}, {0, 1, 0}},
        // The gallery's use: look along -z with the direction of travel as up.
        {{-3, 0, 2},
         {-3, 0, 1},
         {1, 1, 0},
         {std::sqrt(0.5f), -std::sqrt(0.5f), 0},
         {std::sqrt(0.5f), std::sqrt(0.5f), 0},
         {0, 0, 1}},
    };
    for (const Case& c : cases) {
        Transform t;
        t.localMatrix = translation(c.position.x, c.position.y, c.position.z);
        t.localMatrix.scale(Vector3(3, 3, 3));  // replaced by unit axes
        t.lookAt(c.target, c.up);
        EXPECT_TRUE(vectorNear(t.localMatrix.getX(), c.x, EPS));
        EXPECT_TRUE(vectorNear(t.localMatrix.getY(), c.y, EPS));
        EXPECT_TRUE(vectorNear(t.localMatrix.getZ(), c.z, EPS));
        EXPECT_TRUE(vectorNear(t.localMatrix.getBase(), c.position, 0));
        EXPECT_EQ(t.localMatrix.m[3], 0);
        EXPECT_EQ(t.localMatrix.m[7], 0);
        EXPECT_EQ(t.localMatrix.m[11], 0);
        EXPECT_EQ(t.localMatrix.m[15], 1);
    }
}

// A nova looks along its stone's spin axis with up (0, 1, 0); a vertical axis puts up along
// the view (or against it). The axes must still be finite, unit and at right angles, with -z
// on the target.
TEST(TransformLookAt, UpAlongOrAgainstTheViewStillGivesAProperRotation) {
    struct Case {
        Vector3 target, up;
    };
    const Case cases[] = {
        {{0, 5, 0}, {0, 1, 0}},      // up along the view
        {{0, -5, 0}, {0, 1, 0}},     // up against it
        {{0, 0, -2}, {0, 0, 3}},     // the same along z, up not of unit length
        {{2, 2, 2}, {1, 1, 1}},      // along a diagonal
        {{0, 5, 0}, {0, 1e-9f, 0}},  // a vanishing up
        {{0, 5, 0}, {0, 0, 0}},      // no up at all
        {{1e-4f, 5, 0}, {0, 1, 0}},  // nearly along the view
    };
    for (const Case& c : cases) {
        Transform t;
        t.localMatrix = translation(1, 2, 3);
        Vector3 target = c.target + Vector3(1, 2, 3);
        t.lookAt(target, c.up);
        const Vector3 x = t.localMatrix.getX(), y = t.localMatrix.getY(), z = t.localMatrix.getZ();
        for (int k = 0; k < 16; k++) ASSERT_TRUE(std::isfinite(t.localMatrix.m[k])) << "element " << k;
        EXPECT_NEAR(length(x), 1, EPS);
        EXPECT_NEAR(length(y), 1, EPS);
        EXPECT_NEAR(length(z), 1, EPS);
        EXPECT_NEAR(dot(x, y), 0, EPS);
        EXPECT_NEAR(dot(y, z), 0, EPS);
        EXPECT_NEAR(dot(x, z), 0, EPS);
        EXPECT_TRUE(vectorNear(cross(x, y), z, EPS)) << "right-handed";
        EXPECT_TRUE(vectorNear(z * -1.0f, normalize(c.target), EPS)) << "-z looks at the target";
        EXPECT_TRUE(vectorNear(t.localMatrix.getBase(), Vector3(1, 2, 3), 0));
    }
}

TEST(TransformLookAt, TargetAtItsOwnPositionKeepsTheOrientation) {
    Transform t;
    t.localMatrix = translation(1, 2, 3);
    t.localMatrix.rotate(Vector3(0, 0, 1), 30);
    const Matrix4x4 before = t.localMatrix;
    t.lookAt(Vector3(1, 2, 3), Vector3(0, 1, 0));
    EXPECT_TRUE(matrixNear(t.localMatrix, before.m, 0));
}

// The target is a world point: whatever the parents do, the node's world -z axis must point
// from its world position at the target, and a second call must change nothing.
TEST(TransformLookAt, PointsAtAWorldTargetUnderTransformedParents) {
    struct Case {
        const char* label;
        Matrix4x4 parent;
    };
    Matrix4x4 rotated;
    rotated.rotate(Vector3(0, 0, 1), 90);
    Matrix4x4 tilted = translation(10, -2, 4);
    tilted.rotate(Vector3(1, 0.5f, 0), 40);
    Matrix4x4 stretched = translation(0, 1, 0);
    stretched.scale(Vector3(2, 0.5f, 3));
    const Case cases[] = {
        {"translated", translation(10, 0, 0)},
        {"rotated about z", rotated},
        {"rotated and moved", tilted},
        {"scaled unevenly", stretched},
    };
    const Vector3 target(0.5f, 1, -5);
    for (const Case& c : cases) {
        Transform parent;
        parent.localMatrix = c.parent;
        auto* node = new Transform;
        node->localMatrix = translation(1, 0, 0);
        parent.add(node);

        node->lookAt(target, Vector3(0, 1, 0));
        Matrix4x4 g = node->getGlobalTransform();
        Vector3 toTarget = normalize(target - g.getBase());
        EXPECT_TRUE(vectorNear(normalize(-g.getZ()), toTarget, 1e-4f)) << c.label;
        EXPECT_TRUE(vectorNear(node->localMatrix.getBase(), Vector3(1, 0, 0), 0)) << c.label;

        Matrix4x4 first = node->localMatrix;
        node->lookAt(target, Vector3(0, 1, 0));
        EXPECT_TRUE(matrixNear(node->localMatrix, first, 1e-4f)) << c.label;
    }
}

TEST(TransformLookAt, UnderARotatedParentKeepsLookingStraightAhead) {
    // The parent turns about z; the node, at world (0, 1, 0), looks at (0, 1, -5): straight
    // down the world's -z, which is also the parent's -z, so the axes stay the identity.
    Transform parent;
    parent.localMatrix.rotate(Vector3(0, 0, 1), 90);
    auto* node = new Transform;
    node->localMatrix = translation(1, 0, 0);
    parent.add(node);

    node->lookAt(Vector3(0, 1, -5), Vector3(0, 1, 0));

    EXPECT_TRUE(vectorNear(node->localMatrix.getX(), Vector3(1, 0, 0), EPS));
    EXPECT_TRUE(vectorNear(node->localMatrix.getY(), Vector3(0, 1, 0), EPS));
    EXPECT_TRUE(vectorNear(node->localMatrix.getZ(), Vector3(0, 0, 1), EPS));
}

TEST(TransformLookAt, SingularGlobalMatrixThrows) {
    Transform parent;
    parent.localMatrix.scale(Vector3(1, 0, 1));
    auto* node = new Transform;
    parent.add(node);
    Matrix4x4 before = node->localMatrix;

    EXPECT_EQ(thrownMessage([&] { node->lookAt(Vector3(0, 0, -1), Vector3(0, 1, 0)); }), "Zero determinant");
    EXPECT_TRUE(matrixNear(node->localMatrix, before, 0));
}

}  // namespace
