// Camera: projections from the scene's viewport, the view matrix, picking rays, and the
// scene lookup through other ancestors.
#include <gtest/gtest.h>

#include <cmath>

#include "scene/Camera.h"
#include "scene/Scene.h"
#include "support/MatrixAssert.h"
#include "support/RecordingComponent.h"
#include "support/Thrown.h"
#include "window/WindowEvents.h"

namespace {

const float EPS = 1e-5f;

Vector3 project(const Matrix4x4& m, Vector3 p) {
    Vector4 c = m.translateVector(Vector4(p.x, p.y, p.z, 1));
    return Vector3(c.x / c.w, c.y / c.w, c.z / c.w);
}

bool allFinite(const Matrix4x4& m) {
    for (float v : m.m)
        if (!std::isfinite(v)) return false;
    return true;
}

struct SceneWithCamera {
    Scene scene;
    Camera* camera;

    explicit SceneWithCamera(Camera* c, int width = 100, int height = 100) : camera(c) {
        scene.viewport = Rect{0, 0, width, height};
        scene.add(camera);
        scene.camera = camera;
        scene.sendBroadcast(Events::UPDATE);
    }
};

TEST(Camera, ConstructorsSetTheKindAndClipDistances) {
    Camera p(45, 0.1f, 10);
    EXPECT_TRUE(p.perspective);
    EXPECT_EQ(p.fieldOfView, 45);
    EXPECT_FLOAT_EQ(p.near, 0.1f);
    EXPECT_EQ(p.far, 10);
    EXPECT_TRUE(matrixNear(p.projection, Matrix4x4(), 0));

    Camera o(911, 512);
    EXPECT_FALSE(o.perspective);
    EXPECT_EQ(o.width, 911);
    EXPECT_EQ(o.height, 512);
    EXPECT_EQ(o.near, 1);
    EXPECT_EQ(o.far, -1);
}

TEST(Camera, PerspectiveProjectionFollowsTheViewportAspectOnUpdate) {
    SceneWithCamera s(new Camera(90, 1, 3), 200, 100);
    EXPECT_TRUE(matrixNear(s.camera->projection, Matrix4x4::perspective(90, 2, 1, 3), 0));
    EXPECT_NEAR(s.camera->projection.m[0], 0.5f, EPS);

    s.scene.viewport = Rect{10, 20, 300, 300};
    s.scene.sendBroadcast(Events::UPDATE);
    EXPECT_TRUE(matrixNear(s.camera->projection, Matrix4x4::perspective(90, 1, 1, 3), 0));
}

TEST(Camera, ViewportRefOverridesTheScenesOwnViewport) {
    SceneWithCamera s(new Camera(60, 1, 10), 0, 0);
    Rect letterbox{5, 7, 400, 100};
    s.scene.viewportRef = &letterbox;
    EXPECT_EQ(s.scene.getViewport(), &letterbox);
    s.scene.sendBroadcast(Events::UPDATE);
    EXPECT_TRUE(matrixNear(s.camera->projection, Matrix4x4::perspective(60, 4, 1, 10), 0));
}

TEST(Camera, OrthographicMapsTheCornersOf911By512ToTheViewportCorners) {
    SceneWithCamera s(new Camera(911, 512), 854, 480);
    const Matrix4x4& p = s.camera->projection;
    EXPECT_TRUE(vectorNear(project(p, Vector3(0, 0, 0)), Vector3(-1, 1, 0), EPS));        // top left
    EXPECT_TRUE(vectorNear(project(p, Vector3(911, 512, 0)), Vector3(1, -1, 0), EPS));    // bottom right
    EXPECT_TRUE(vectorNear(project(p, Vector3(455.5f, 256, 0)), Vector3(0, 0, 0), EPS));  // centre
    // z passes through unchanged: -1..1 is the visible range.
    EXPECT_TRUE(vectorNear(project(p, Vector3(0, 512, 0.75f)), Vector3(-1, -1, 0.75f), EPS));
    EXPECT_TRUE(vectorNear(project(p, Vector3(911, 0, -1)), Vector3(1, 1, -1), EPS));
}

// A minimised or collapsed window leaves a viewport without area: the camera must keep the
// projection it had, never one built from an infinite, zero or negative aspect.
TEST(Camera, ViewportWithoutAreaKeepsThePreviousProjection) {
    const Rect empty[] = {{0, 0, 640, 0}, {0, 0, 0, 480}, {0, 0, 0, 0}, {3, 4, -640, 480}, {3, 4, 640, -1}};
    for (const Rect& vp : empty) {
        SceneWithCamera s(new Camera(45, 0.1f, 10), 640, 480);
        Matrix4x4 good = s.camera->projection;
        s.scene.viewport = vp;
        s.scene.sendBroadcast(Events::UPDATE);
        EXPECT_TRUE(allFinite(s.camera->projection)) << vp.width << "x" << vp.height;
        EXPECT_TRUE(matrixNear(s.camera->projection, good, 0)) << vp.width << "x" << vp.height;

        // Picking still works from the kept projection.
        Ray ray = s.camera->getScreenRay(Vector2(0.5f, 0.5f));
        EXPECT_TRUE(vectorNear(ray.direction, Vector3(0, 0, -1), EPS));

        s.scene.viewport = Rect{0, 0, 100, 100};
        s.scene.sendBroadcast(Events::UPDATE);
        EXPECT_TRUE(matrixNear(s.camera->projection, Matrix4x4::perspective(45, 1, 0.1f, 10), 0));
    }
}

TEST(Camera, FirstUpdateWithoutAreaLeavesTheIdentity) {
    SceneWithCamera s(new Camera(45, 0.1f, 10), 0, 0);
    EXPECT_TRUE(matrixNear(s.camera->projection, Matrix4x4(), 0));
}

TEST(Camera, OrthographicProjectionDoesNotDependOnTheViewport) {
    SceneWithCamera s(new Camera(911, 512), 0, 0);
    EXPECT_TRUE(matrixNear(s.camera->projection, Matrix4x4::ortho(0, 911, 512, 0, 1, -1), 0));
}

TEST(Camera, OutsideAnySceneThrowsOnUpdate) {
    Camera alone(45, 1, 10);
    EXPECT_EQ(thrownMessage([&] { alone.sendBroadcast(Events::UPDATE); }), "Camera is not in scene");

    Transform root;
    auto* camera = new Camera(911, 512);
    root.add(camera);
    EXPECT_EQ(thrownMessage([&] { root.sendBroadcast(Events::UPDATE); }), "Camera is not in scene");
    EXPECT_EQ(thrownMessage([&] { camera->updateProjection(); }), "Camera is not in scene");
}

TEST(Camera, FindsTheSceneThroughTransformsAndPlainComponents) {
    Scene outer;
    auto* inner = new Scene;
    auto* plain = new Component;
    auto* rig = new Transform;
    auto* camera = new Camera(90, 1, 10);
    outer.add(inner);
    inner->add(plain);
    plain->add(rig);
    rig->add(camera);
    outer.viewport = Rect{0, 0, 100, 100};
    inner->viewport = Rect{0, 0, 300, 100};

    EXPECT_EQ(camera->findScene(), inner);
    outer.sendBroadcast(Events::UPDATE);
    EXPECT_TRUE(matrixNear(camera->projection, Matrix4x4::perspective(90, 3, 1, 10), 0));
}

TEST(Camera, UpdateTravelsOnAsTheSameRecord) {
    EventLog log;
    SceneWithCamera s(new Camera(90, 1, 10));
    s.camera->add(new RecordingComponent(&log, "child"));
    s.scene.sendBroadcast(Events::UPDATE);
    ASSERT_EQ(log.seen.size(), 1u);
    EXPECT_EQ(log.seen[0].name, "update");
    EXPECT_EQ(log.seen[0].source, &s.scene);
}

TEST(Camera, ViewIsTheInverseOfARigidGlobalMatrix) {
    Scene scene;
    auto* rig = new Transform;
    auto* camera = new Camera(45, 1, 10);
    rig->localMatrix = Matrix4x4(Vector3(3, -1, 2));
    rig->localMatrix.rotate(Vector3(0, 1, 0), 35);
    camera->localMatrix = Matrix4x4(Vector3(0, 0, 4));
    camera->localMatrix.rotate(Vector3(1, 0, 0), -20);
    scene.add(rig);
    rig->add(camera);

    Matrix4x4 product = camera->getGlobalTransform();
    product.mult(camera->getView(), false);
    EXPECT_TRUE(matrixNear(product, Matrix4x4(), 1e-5f));
}

TEST(CameraRay, ThroughTheCentreAndTheRightEdgeWithNinetyDegrees) {
    struct Case {
        Vector2 point;
        Vector3 origin, direction;
    };
    const float h = std::sqrt(0.5f);
    const float t = 1 / std::sqrt(3.0f);
    const Case cases[] = {
        {{0.5f, 0.5f}, {0, 0, -0.5f}, {0, 0, -1}},
        {{1, 0.5f}, {0.5f, 0, -0.5f}, {h, 0, -h}},
        {{0, 0.5f}, {-0.5f, 0, -0.5f}, {-h, 0, -h}},
        {{0.5f, 0}, {0, 0.5f, -0.5f}, {0, h, -h}},  // y grows downwards: the top edge is +y
        {{1, 1}, {0.5f, -0.5f, -0.5f}, {t, -t, -t}},
    };
    SceneWithCamera s(new Camera(90, 0.5f, 20));
    for (const Case& c : cases) {
        Ray ray = s.camera->getScreenRay(c.point);
        EXPECT_TRUE(vectorNear(ray.origin, c.origin, EPS)) << c.point.x << "," << c.point.y;
        EXPECT_TRUE(vectorNear(ray.direction, c.direction, EPS)) << c.point.x << "," << c.point.y;
        EXPECT_NEAR(length(ray.direction), 1, EPS);
    }
}

TEST(CameraRay, FollowsTheCameraPlacedUnderATransform) {
    // Rig at (1, 2, 3) turned 90 degrees about y: the camera's -z looks along world -x.
    SceneWithCamera s(new Camera(90, 1, 10));
    auto* rig = new Transform;
    rig->localMatrix = Matrix4x4(Vector3(1, 2, 3));
    rig->localMatrix.rotate(Vector3(0, 1, 0), 90);
    s.scene.add(rig);
    rig->add(s.camera);
    s.scene.sendBroadcast(Events::UPDATE);

    Ray centre = s.camera->getScreenRay(Vector2(0.5f, 0.5f));
    EXPECT_TRUE(vectorNear(centre.origin, Vector3(0, 2, 3), 1e-4f));
    EXPECT_TRUE(vectorNear(centre.direction, Vector3(-1, 0, 0), EPS));

    Ray right = s.camera->getScreenRay(Vector2(1, 0.5f));
    float h = std::sqrt(0.5f);
    EXPECT_TRUE(vectorNear(right.direction, Vector3(-h, 0, -h), EPS));
}

// The 2D overlays' camera: rays start on the near plane (z = -1) under the point, in units
// of the 911 x 512 space, and run along +z, the direction in which depth grows.
TEST(CameraRay, OrthographicRaysStartUnderThePoint) {
    struct Case {
        Vector2 point;
        Vector3 origin;
    };
    const Case cases[] = {
        {{0, 0}, {0, 0, -1}},
        {{1, 1}, {911, 512, -1}},
        {{0.25f, 0.75f}, {227.75f, 384, -1}},
    };
    SceneWithCamera s(new Camera(911, 512), 854, 480);
    for (const Case& c : cases) {
        Ray ray = s.camera->getScreenRay(c.point);
        EXPECT_TRUE(vectorNear(ray.origin, c.origin, 1e-3f)) << c.point.x << "," << c.point.y;
        EXPECT_TRUE(vectorNear(ray.direction, Vector3(0, 0, 1), EPS)) << c.point.x << "," << c.point.y;
    }
}

TEST(CameraRay, SingularProjectionThrows) {
    SceneWithCamera s(new Camera(90, 1, 10));
    s.camera->projection.scale(Vector3(0, 1, 1));
    EXPECT_EQ(thrownMessage([&] { s.camera->getScreenRay(Vector2(0.5f, 0.5f)); }), "Zero determinant");
}

}  // namespace
