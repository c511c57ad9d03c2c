// Picking: Scene::raycast through colliders in local space, world hits, the sorted and
// stable result list, the shared result record and its storage, and failures.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "scene/Camera.h"
#include "scene/Picking.h"
#include "scene/Scene.h"
#include "scene/SceneDoubles.h"
#include "scene/SceneEvents.h"
#include "support/MatrixAssert.h"
#include "support/Thrown.h"
#include "window/Window.h"
#include "window/WindowEvents.h"

namespace {

const float EPS = 1e-5f;

// A square collider whose local matrix puts it at depth z, facing +z.
SquareCollider* squareAt(Component* parent, float z) {
    auto* c = new SquareCollider;
    c->localMatrix = Matrix4x4(Vector3(0, 0, z));
    parent->add(c);
    return c;
}

std::vector<float> distances() {
    std::vector<float> out;
    for (const RaycastResult& r : Scene::raycastInfo.results) out.push_back(r.distance);
    return out;
}

std::vector<Collider*> colliders() {
    std::vector<Collider*> out;
    for (const RaycastResult& r : Scene::raycastInfo.results) out.push_back(r.collider);
    return out;
}

const Ray DOWN_THE_AXIS = makeRay(Vector3(0.25f, -0.5f, 0), Vector3(0, 0, -1));

TEST(Picking, AMissLeavesTheResultsEmpty) {
    Scene scene;
    squareAt(&scene, -4);
    scene.raycast(DOWN_THE_AXIS);
    ASSERT_EQ(Scene::raycastInfo.results.size(), 1);

    const Ray misses[] = {
        makeRay(Vector3(1.5f, 0, 0), Vector3(0, 0, -1)),  // beside the square
        makeRay(Vector3(0, 0, 0), Vector3(0, 0, 1)),      // away from it
        makeRay(Vector3(0, 0, -6), Vector3(0, 0, -1)),    // starting beyond it
        makeRay(Vector3(0, 0, 0), Vector3(1, 0, 0)),      // parallel to it
    };
    for (const Ray& r : misses) {
        scene.raycast(r);
        EXPECT_EQ(Scene::raycastInfo.results.size(), 0);
    }
}

TEST(Picking, HitsComeNearestFirstWhateverTheVisitingOrder) {
    Scene scene;
    SquareCollider* far = squareAt(&scene, -5);
    SquareCollider* near = squareAt(&scene, -2);
    scene.raycast(DOWN_THE_AXIS);

    EXPECT_EQ(distances(), (std::vector<float>{2, 5}));
    EXPECT_EQ(colliders(), (std::vector<Collider*>{near, far}));
    const RaycastResult& first = Scene::raycastInfo.results.at(0);
    EXPECT_TRUE(vectorNear(first.point, Vector3(0.25f, -0.5f, -2), EPS));
    EXPECT_TRUE(vectorNear(first.normal, Vector3(0, 0, 1), EPS));
    // The scratch fields describe the last collider visited that reported a hit.
    EXPECT_EQ(Scene::raycastInfo.collider, near);
    EXPECT_EQ(Scene::raycastInfo.distance, 2);
    EXPECT_TRUE(vectorNear(Scene::raycastInfo.ray.origin, DOWN_THE_AXIS.origin, 0));
}

TEST(Picking, EqualDistancesKeepTheVisitingOrder) {
    Scene scene;
    SquareCollider* a = squareAt(&scene, -3);
    auto* group = new Transform;
    scene.add(group);
    SquareCollider* b = squareAt(group, -3);
    SquareCollider* c = squareAt(&scene, -1);
    SquareCollider* d = squareAt(&scene, -3);
    scene.raycast(DOWN_THE_AXIS);
    EXPECT_EQ(colliders(), (std::vector<Collider*>{c, a, b, d}));
}

TEST(Picking, InsertionKeepsTheListSortedAndStable) {
    struct Case {
        std::vector<float> arriving;
        std::vector<int> order;  // arrival indices, nearest first
    };
    const Case cases[] = {
        {{5, 2}, {1, 0}},          {{2, 5}, {0, 1}},
        {{3, 3, 3}, {0, 1, 2}},    {{5, 2, 7, 2, 5, 0}, {5, 1, 3, 0, 4, 2}},
        {{0, 0.5f, 0}, {0, 2, 1}},
    };
    for (const Case& c : cases) {
        std::vector<SquareCollider> tags(c.arriving.size());
        List<RaycastResult> results;
        for (size_t i = 0; i < c.arriving.size(); i++) {
            RaycastResult hit;
            hit.distance = c.arriving[i];
            hit.collider = &tags[i];
            Collider::insertSorted(results, hit);
        }
        ASSERT_EQ(results.size(), static_cast<int>(c.order.size()));
        for (size_t k = 0; k < c.order.size(); k++) {
            EXPECT_EQ(results.at(static_cast<int>(k)).collider, &tags[static_cast<size_t>(c.order[k])]) << k;
        }
    }
}

// The same square reached through a chain of transforms and placed directly in world space
// with the product of that chain must give the same hit.
TEST(Picking, TransformedCollidersReportWorldHits) {
    Scene chained;
    auto* outer = new Transform;
    outer->localMatrix = Matrix4x4(Vector3(0, 0, -10));
    auto* inner = new Transform;
    inner->localMatrix.scale(Vector3(3, 3, 3));
    auto* local = new SquareCollider;
    local->localMatrix.rotate(Vector3(0, 0, 1), 30);
    chained.add(outer);
    outer->add(new Component);
    outer->children.get(0)->add(inner);
    inner->add(local);

    Scene direct;
    auto* world = new SquareCollider;
    world->localMatrix = local->getGlobalTransform();
    direct.add(world);

    // (2.5, 0) lies outside the unit square but inside the scaled one.
    const Ray r = makeRay(Vector3(2.5f, 0, 0), Vector3(0, 0, -1));
    chained.raycast(r);
    ASSERT_EQ(Scene::raycastInfo.results.size(), 1);
    RaycastResult a = Scene::raycastInfo.results.at(0);
    direct.raycast(r);
    ASSERT_EQ(Scene::raycastInfo.results.size(), 1);
    RaycastResult b = Scene::raycastInfo.results.at(0);

    EXPECT_NEAR(a.distance, 10, EPS);
    EXPECT_TRUE(vectorNear(a.point, Vector3(2.5f, 0, -10), EPS));
    EXPECT_TRUE(vectorNear(a.normal, Vector3(0, 0, 1), EPS));
    EXPECT_EQ(a.collider, local);
    EXPECT_NEAR(b.distance, a.distance, EPS);
    EXPECT_TRUE(vectorNear(b.point, a.point, EPS));
    EXPECT_TRUE(vectorNear(b.normal, a.normal, EPS));
    EXPECT_EQ(b.collider, world);
}

TEST(Picking, DistanceIsMeasuredAlongTheWorldRayUnderScale) {
    // Square scaled by 4 and moved to z = -8, hit from a slanted ray: the distance is the
    // world ray's parameter, not the local one's.
    Scene scene;
    auto* c = new SquareCollider;
    c->localMatrix = Matrix4x4(Vector3(1, 0, -8));
    c->localMatrix.scale(Vector3(4, 4, 0.5f));
    scene.add(c);
    Vector3 direction = normalize(Vector3(1, 1, -2));
    scene.raycast(makeRay(Vector3(0, 0, 0), direction));
    ASSERT_EQ(Scene::raycastInfo.results.size(), 1);
    const RaycastResult& hit = Scene::raycastInfo.results.at(0);
    EXPECT_TRUE(vectorNear(hit.point, Vector3(4, 4, -8), 1e-4f));
    EXPECT_NEAR(hit.distance, length(Vector3(4, 4, -8)), 1e-4f);
    EXPECT_TRUE(vectorNear(hit.normal, Vector3(0, 0, 1), EPS));
}

TEST(Picking, NormalsStayPerpendicularUnderUnevenScale) {
    // A square tilted 45 degrees about y (normal (1, 0, 1) / sqrt 2) below a parent that
    // stretches x by 2: the world surface is x / 2 + z = 0, whose unit normal is (1, 0, 2) / sqrt 5.
    Scene scene;
    auto* parent = new Transform;
    parent->localMatrix.scale(Vector3(2, 1, 1));
    auto* c = new SquareCollider;
    c->localMatrix.rotate(Vector3(0, 1, 0), 45);
    scene.add(parent);
    parent->add(c);

    scene.raycast(makeRay(Vector3(0, 0, 5), Vector3(0, 0, -1)));
    ASSERT_EQ(Scene::raycastInfo.results.size(), 1);
    const RaycastResult& hit = Scene::raycastInfo.results.at(0);
    float s5 = std::sqrt(5.0f);
    EXPECT_TRUE(vectorNear(hit.normal, Vector3(1 / s5, 0, 2 / s5), EPS));
    EXPECT_TRUE(vectorNear(hit.point, Vector3(0, 0, 0), EPS));
    EXPECT_NEAR(hit.distance, 5, EPS);

    // The same with a ray that meets the surface off-centre: the hit lies on x / 2 + z = 0.
    scene.raycast(makeRay(Vector3(1, 0.2f, 5), Vector3(0, 0, -1)));
    ASSERT_EQ(Scene::raycastInfo.results.size(), 1);
    const RaycastResult& off = Scene::raycastInfo.results.at(0);
    EXPECT_NEAR(off.point.x / 2 + off.point.z, 0, EPS);
    EXPECT_NEAR(dot(off.normal, Vector3(2, 0, -1)), 0, EPS);  // perpendicular to a surface line
}

TEST(Picking, CollidersUnderSkippedRenderersAreStillHit) {
    Scene scene;
    auto* hidden = new DrawRecorder;
    hidden->visible = false;
    auto* otherLayer = new DrawRecorder;
    otherLayer->layerMask = 8;
    scene.layerMask = 1;
    scene.add(hidden);
    scene.add(otherLayer);
    hidden->localMatrix = Matrix4x4(Vector3(0, 0, -2));
    otherLayer->localMatrix = Matrix4x4(Vector3(0, 0, -4));
    SquareCollider* a = squareAt(hidden, 0);
    SquareCollider* b = squareAt(otherLayer, 0);

    scene.raycast(DOWN_THE_AXIS);
    EXPECT_EQ(colliders(), (std::vector<Collider*>{a, b}));
    EXPECT_EQ(distances(), (std::vector<float>{2, 4}));
    EXPECT_TRUE(hidden->calls.empty());
    EXPECT_TRUE(otherLayer->calls.empty());
}

TEST(Picking, ResultsAreSharedByAllScenesUntilTheNextRaycast) {
    Scene first;
    Scene second;
    squareAt(&first, -1);
    first.raycast(DOWN_THE_AXIS);
    EXPECT_EQ(Scene::raycastInfo.results.size(), 1);
    second.raycast(DOWN_THE_AXIS);
    EXPECT_EQ(Scene::raycastInfo.results.size(), 0);
}

TEST(Picking, TheResultListKeepsItsStorageAcrossRaycasts) {
    Scene scene;
    for (int i = 1; i <= 6; i++) squareAt(&scene, -static_cast<float>(i));
    scene.raycast(DOWN_THE_AXIS);
    ASSERT_EQ(Scene::raycastInfo.results.size(), 6);
    const RaycastResult* storage = Scene::raycastInfo.results.data();
    for (int round = 0; round < 5; round++) {
        scene.raycast(round % 2 ? DOWN_THE_AXIS : makeRay(Vector3(0, 0, -3.5f), Vector3(0, 0, -1)));
        EXPECT_EQ(Scene::raycastInfo.results.size(), round % 2 ? 6 : 3);
        EXPECT_EQ(Scene::raycastInfo.results.data(), storage);
    }
}

TEST(Picking, ShapesAreTestedOnlyByRaycastPasses) {
    Scene scene;
    auto* camera = new Camera(45, 1, 10);
    scene.add(camera);
    scene.camera = camera;
    scene.viewport = Rect{0, 0, 10, 10};
    SquareCollider* c = squareAt(&scene, -1);
    scene.sendBroadcast(Events::UPDATE);
    scene.render();
    EXPECT_EQ(c->tests, 0);
    scene.raycast(DOWN_THE_AXIS);
    EXPECT_EQ(c->tests, 1);
}

// A pass broadcast by name alone carries no matrix or result record: transforms take the
// identity for a missing matrix, and colliders have nothing to pick into.
TEST(Picking, PassesWithoutDataAreHarmless) {
    Scene scene;
    auto* group = new Transform;
    group->localMatrix = Matrix4x4(Vector3(1, 2, 3));
    scene.add(group);
    SquareCollider* c = squareAt(group, -1);

    scene.sendBroadcast(Events::RENDER);
    EXPECT_TRUE(vectorNear(c->worldMatrix.getBase(), Vector3(1, 2, 2), 0));
    scene.sendBroadcast(Events::RAYCAST);
    RaycastEventData noInfo;
    scene.sendBroadcast(Events::RAYCAST, &scene, &noInfo);
    EXPECT_EQ(c->tests, 0);
}

TEST(Picking, ASingularColliderMatrixThrows) {
    Scene scene;
    auto* flat = new Transform;
    flat->localMatrix.scale(Vector3(1, 1, 0));
    scene.add(flat);
    squareAt(flat, -1);
    EXPECT_EQ(thrownMessage([&] { scene.raycast(DOWN_THE_AXIS); }), "Zero determinant");
}

TEST(Picking, ScreenRayPicksWhatIsUnderThePoint) {
    // A 90-degree camera at the origin over a square viewport; squares 2 units wide at depth
    // 6, one straight ahead and one to the right at x = 6 (45 degrees off-axis).
    Scene scene;
    scene.viewport = Rect{0, 0, 400, 400};
    auto* camera = new Camera(90, 0.1f, 100);
    scene.add(camera);
    scene.camera = camera;
    SquareCollider* ahead = squareAt(&scene, -6);
    SquareCollider* right = squareAt(&scene, -6);
    right->localMatrix.setBase(Vector3(6, 0, -6));
    scene.sendBroadcast(Events::UPDATE);

    scene.raycast(camera->getScreenRay(Vector2(0.5f, 0.5f)));
    EXPECT_EQ(colliders(), (std::vector<Collider*>{ahead}));
    scene.raycast(camera->getScreenRay(Vector2(1, 0.5f)));
    EXPECT_EQ(colliders(), (std::vector<Collider*>{right}));
    scene.raycast(camera->getScreenRay(Vector2(0.5f, 0)));
    EXPECT_TRUE(colliders().empty());
}

TEST(Picking, OrthographicScreenRayPicksTheFrontmostOverlay) {
    // Two 40 x 40 squares at (300, 200) in the 911 x 512 space: the one at z = -0.5 is drawn
    // in front of the one at z = 0.5 (smaller depth wins) and must be hit first.
    Scene scene;
    scene.viewport = Rect{0, 0, 911, 512};
    auto* camera = new Camera(911, 512);
    scene.add(camera);
    scene.camera = camera;
    auto* back = new SquareCollider;
    back->localMatrix = Matrix4x4(Vector3(300, 200, 0.5f));
    back->localMatrix.scale(Vector3(20, -20, 1));
    auto* front = new SquareCollider;
    front->localMatrix = Matrix4x4(Vector3(300, 200, -0.5f));
    front->localMatrix.scale(Vector3(20, -20, 1));
    scene.add(back);
    scene.add(front);
    scene.sendBroadcast(Events::UPDATE);

    scene.raycast(camera->getScreenRay(Vector2(310 / 911.0f, 190 / 512.0f)));
    EXPECT_EQ(colliders(), (std::vector<Collider*>{front, back}));
    EXPECT_EQ(distances(), (std::vector<float>{0.5f, 1.5f}));
    scene.raycast(camera->getScreenRay(Vector2(330 / 911.0f, 190 / 512.0f)));
    EXPECT_TRUE(colliders().empty());
}

}  // namespace

namespace {

struct Owner : Component {};

// A 3D scene in the left half of an 854 x 480 window, its camera at the origin looking
// down -z, and two squares straight ahead: the nearer one (2 x 2) inside an Owner, the
// farther one three times as large.
struct PickingScene {
    Window window{Window::Detached{}, 854, 480};
    Scene scene;
    Camera* camera = new Camera(45, 0.1f, 10);
    Owner* owner = new Owner;
    SquareCollider* near;
    SquareCollider* far;

    PickingScene() {
        scene.viewport = Rect{0, 0, 427, 480};
        scene.camera = camera;
        scene.add(camera);
        scene.add(owner);
        near = squareAt(owner, -4);
        far = squareAt(&scene, -6);
        far->localMatrix.scale(Vector3(2, 2, 1));
        camera->updateProjection();
    }
};

TEST(PickHelper, GivesTheNearestColliderUnderAWindowPointInsideTheViewport) {
    PickingScene s;
    EXPECT_EQ(pickCollider(&s.window, &s.scene, Vector2(0.25f, 0.5f)), s.near);
    EXPECT_EQ(pick<Owner>(&s.window, &s.scene, Vector2(0.25f, 0.5f)), s.owner);

    // Beside the near square's edge only the far one is hit: the ray at x = 0.3 per unit of
    // depth passes the near square at x = 1.2 and meets the far one at 1.8.
    float x = 0.25f + 0.25f * (1.2f / (4 * std::tan(22.5f * 3.14159265f / 180) * 427 / 480.0f));
    EXPECT_EQ(pickCollider(&s.window, &s.scene, Vector2(x, 0.5f)), s.far);
    EXPECT_EQ(pick<Owner>(&s.window, &s.scene, Vector2(x, 0.5f)), nullptr) << "the far square has no owner";
}

TEST(PickHelper, NothingOutsideTheViewportOrWhereTheRayMisses) {
    PickingScene s;
    // The window's centre lies in the right half, outside the scene's viewport, even though
    // a ray through it would hit the squares' plane.
    EXPECT_EQ(pickCollider(&s.window, &s.scene, Vector2(0.5f, 0.5f)), nullptr);
    EXPECT_EQ(pickCollider(&s.window, &s.scene, Vector2(-0.1f, 0.5f)), nullptr);
    // Inside the viewport, but in its top corner where no square is.
    EXPECT_EQ(pickCollider(&s.window, &s.scene, Vector2(0.01f, 0.01f)), nullptr);
    EXPECT_EQ(Scene::raycastInfo.results.size(), 0);
    // No camera: nothing can be picked.
    s.scene.camera = nullptr;
    EXPECT_EQ(pickCollider(&s.window, &s.scene, Vector2(0.25f, 0.5f)), nullptr);
}

}  // namespace
