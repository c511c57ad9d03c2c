// Scene::render and the Renderer dispatch, checked without GL through a renderer that writes
// down its draws: layers, visibility, the matrices handed over, the lights hook and the
// missing camera.
#include <gtest/gtest.h>

#include <cstdint>

#include "scene/Camera.h"
#include "scene/Scene.h"
#include "scene/SceneDoubles.h"
#include "scene/SceneEvents.h"
#include "support/MatrixAssert.h"
#include "support/RecordingComponent.h"
#include "support/Thrown.h"
#include "window/WindowEvents.h"

namespace {

struct TestScene {
    Scene scene;
    Camera* camera = new Camera(60, 1, 50);

    TestScene() {
        scene.viewport = Rect{0, 0, 320, 200};
        scene.add(camera);
        scene.camera = camera;
        scene.sendBroadcast(Events::UPDATE);
    }
    template <typename T>
    T* add(T* child, Component* parent = nullptr) {
        (parent ? parent : &scene)->add(child);
        return child;
    }
};

TEST(Scene, StartsWithTheDefaultsAndALightTable) {
    Scene scene;
    EXPECT_EQ(scene.viewport.x, 0);
    EXPECT_EQ(scene.viewport.width, 0);
    EXPECT_EQ(scene.viewport.height, 0);
    EXPECT_EQ(scene.viewportRef, nullptr);
    EXPECT_EQ(scene.getViewport(), &scene.viewport);
    EXPECT_EQ(scene.camera, nullptr);
    EXPECT_TRUE(matrixNear(scene.view, Matrix4x4(), 0));
    EXPECT_EQ(scene.ambient, (Color{1, 1, 1, 1}));
    EXPECT_EQ(scene.lightsCount, 0);
    ASSERT_NE(scene.lights, nullptr);
    // All ten records can be written.
    for (int i = 0; i < Scene::MAX_LIGHTS * Scene::LIGHT_FLOATS; i++) scene.lights[i] = static_cast<float>(i);
    EXPECT_EQ(scene.layerMask, 0xFFFFFFFFu);
}

TEST(Renderer, StartsVisibleOnLayerOne) {
    DrawRecorder r;
    EXPECT_TRUE(r.visible);
    EXPECT_EQ(r.layerMask, 1u);
}

TEST(SceneRender, WithoutACameraThrowsAndDrawsNothing) {
    EventLog log;
    Scene scene;
    auto* renderer = new DrawRecorder;
    scene.add(renderer);
    scene.add(new RecordingComponent(&log, "probe"));
    EXPECT_EQ(thrownMessage([&] { scene.render(); }), "Active camera is not set");
    EXPECT_TRUE(renderer->calls.empty());
    EXPECT_TRUE(log.seen.empty());
}

TEST(SceneRender, LayerMasksDecideWhichRenderersDraw) {
    struct Case {
        uint32_t renderer, scene;
        bool drawn;
    };
    const Case cases[] = {
        {1, 0xFFFFFFFFu, true},
        {2, 1, false},
        {2, 3, true},
        {4, 8, false},
        {8, 8, true},
        {0, 0xFFFFFFFFu, false},
        {0x80000000u, 0xFFFFFFFFu, true},
        {6, 5, true},
        {1, 0, false},
    };
    for (const Case& c : cases) {
        TestScene t;
        auto* r = t.add(new DrawRecorder);
        r->layerMask = c.renderer;
        t.scene.layerMask = c.scene;
        t.scene.render();
        EXPECT_EQ(r->calls.size(), c.drawn ? 1u : 0u) << c.renderer << " in " << c.scene;
    }
}

TEST(SceneRender, SkippedRenderersStillPassTheirMatrixToTheirChildren) {
    // An invisible renderer and one on another layer: neither draws, but a renderer and a
    // plain probe below each still get "render" with the parent's matrix.
    for (int hiddenBy = 0; hiddenBy < 2; hiddenBy++) {
        EventLog log;
        TestScene t;
        auto* parent = t.add(new DrawRecorder);
        parent->localMatrix = Matrix4x4(Vector3(1, 2, 3));
        if (hiddenBy == 0)
            parent->visible = false;
        else
            parent->layerMask = 2;
        t.scene.layerMask = 1;
        auto* child = t.add(new DrawRecorder, parent);
        child->localMatrix = Matrix4x4(Vector3(0, 0, -5));
        t.add(new RecordingComponent(&log, "probe"), parent);

        t.scene.render();

        EXPECT_TRUE(parent->calls.empty());
        ASSERT_EQ(child->calls.size(), 1u);
        EXPECT_TRUE(vectorNear(child->calls[0].modelValue.getBase(), Vector3(1, 2, -2), 0));
        ASSERT_EQ(log.seen.size(), 2u);  // "prepareLights", then "render"
        EXPECT_EQ(log.seen[1].name, "render");
        EXPECT_EQ(log.seen[1].record, &parent->event);
        EXPECT_EQ(log.seen[1].data, &parent->worldMatrix);
    }
}

TEST(SceneRender, HandsTheCameraProjectionTheSceneViewAndTheWorldMatrix) {
    TestScene t;
    t.camera->localMatrix = Matrix4x4(Vector3(0, 1, 8));
    auto* group = t.add(new Transform);
    group->localMatrix.rotate(Vector3(0, 0, 1), 90);
    auto* r = t.add(new DrawRecorder, group);
    r->localMatrix = Matrix4x4(Vector3(2, 0, 0));

    t.scene.render();

    ASSERT_EQ(r->calls.size(), 1u);
    const DrawCall& call = r->calls[0];
    EXPECT_EQ(call.scene, &t.scene);
    EXPECT_EQ(call.projection, &t.camera->projection);
    EXPECT_EQ(call.view, &t.scene.view);
    EXPECT_EQ(call.model, &r->worldMatrix);
    EXPECT_TRUE(matrixNear(t.scene.view, t.camera->getView(), 0));
    EXPECT_TRUE(vectorNear(t.scene.view.getBase(), Vector3(0, -1, -8), 0));
    EXPECT_TRUE(vectorNear(call.modelValue.getBase(), Vector3(0, 2, 0), 1e-6f));
    EXPECT_TRUE(matrixNear(call.modelValue, r->getGlobalTransform(), 0));
}

TEST(SceneRender, TopLevelRenderersGetTheirLocalMatrixFromTheIdentity) {
    TestScene t;
    auto* r = t.add(new DrawRecorder);
    r->localMatrix = Matrix4x4(Vector3(4, 5, 6));
    r->localMatrix.scale(Vector3(2, 3, 4));
    t.scene.render();
    t.scene.render();
    ASSERT_EQ(r->calls.size(), 2u);
    EXPECT_TRUE(matrixNear(r->calls[1].modelValue, r->localMatrix, 0));
}

TEST(SceneRender, ResetsTheLightsAndBroadcastsPrepareLightsBeforeRender) {
    EventLog log;
    TestScene t;
    int countAtHook = -1;
    Matrix4x4 topMatrix;
    topMatrix.m[0] = 0;
    auto* probe = t.add(new RecordingComponent(&log, "probe"));
    probe->action = [&](Component*, Event* e) {
        if (e->name == std::string("prepareLights")) countAtHook = t.scene.lightsCount;
        if (e->name == std::string("render")) topMatrix = *static_cast<Matrix4x4*>(e->data);
        return e;
    };
    t.scene.lightsCount = 4;

    t.scene.render();

    EXPECT_EQ(countAtHook, 0);
    EXPECT_EQ(t.scene.lightsCount, 0);
    ASSERT_EQ(log.seen.size(), 2u);
    EXPECT_EQ(log.seen[0].name, "prepareLights");
    EXPECT_EQ(log.seen[0].source, &t.scene);
    EXPECT_EQ(log.seen[0].data, nullptr);
    EXPECT_EQ(log.seen[1].name, "render");
    EXPECT_EQ(log.seen[1].source, &t.scene);
    EXPECT_TRUE(matrixNear(topMatrix, Matrix4x4(), 0));
}

TEST(SceneRender, StrayRenderEventsFromOtherSourcesDrawNothing) {
    TestScene t;
    auto* r = t.add(new DrawRecorder);
    Matrix4x4 top;
    Component stranger;
    t.scene.sendBroadcast(Events::RENDER, &stranger, &top);
    EXPECT_TRUE(r->calls.empty());
    EXPECT_TRUE(matrixNear(r->worldMatrix, Matrix4x4(), 0));
}

TEST(SceneRender, RenderingTwiceWithDifferentMasksDrawsEachLayerOnce) {
    TestScene t;
    auto* back = t.add(new DrawRecorder);
    auto* front = t.add(new DrawRecorder);
    front->layerMask = 2;
    t.scene.layerMask = 1;
    t.scene.render();
    t.scene.layerMask = 2;
    t.scene.render();
    EXPECT_EQ(back->calls.size(), 1u);
    EXPECT_EQ(front->calls.size(), 1u);
}

}  // namespace
