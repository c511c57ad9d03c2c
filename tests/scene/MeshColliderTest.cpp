// MeshCollider: picking against meshes of its own or from a registry entry, the precedence of
// the own mesh, the missing shape, ownership and the GPU resource events on unbuffered meshes.
#include <gtest/gtest.h>

#include <vector>

#include "render/Mesh.h"
#include "resources/Resource.h"
#include "resources/ResourceEvents.h"
#include "scene/MeshCollider.h"
#include "scene/Scene.h"
#include "scene/SceneDoubles.h"
#include "support/MatrixAssert.h"
#include "support/Thrown.h"

namespace {

const float EPS = 1e-5f;

// The unit plane (-1..1 in x and y) at depth z, facing +z.
Mesh* planeAt(float z) { return Mesh::createPlane(Matrix4x4(Vector3(0, 0, z))); }

const Ray DOWN = makeRay(Vector3(0.5f, 0.5f, 0), Vector3(0, 0, -1));

TEST(MeshCollider, StartsWithoutAShape) {
    MeshCollider empty;
    EXPECT_EQ(empty.mesh, nullptr);
    EXPECT_EQ(empty.meshResource, nullptr);
    MeshResource entry("plane.obj");
    MeshCollider fromEntry(&entry);
    EXPECT_EQ(fromEntry.meshResource, &entry);
    EXPECT_EQ(fromEntry.mesh, nullptr);
}

TEST(MeshCollider, WithoutMeshOrEntryThrowsDuringARaycast) {
    Scene scene;
    scene.add(new MeshCollider);
    EXPECT_EQ(thrownMessage([&] { scene.raycast(DOWN); }), "Mesh and MeshResource is not set");
}

TEST(MeshCollider, HitsItsOwnMeshInWorldSpaceWithAUnitNormal) {
    Scene scene;
    auto* collider = new MeshCollider(planeAt(0));
    collider->localMatrix = Matrix4x4(Vector3(0, 0, -7));
    collider->localMatrix.scale(Vector3(2, 2, 2));
    scene.add(collider);

    scene.raycast(makeRay(Vector3(1.5f, -1.5f, 0), Vector3(0, 0, -1)));
    ASSERT_EQ(Scene::raycastInfo.results.size(), 1);
    const RaycastResult& hit = Scene::raycastInfo.results.at(0);
    EXPECT_NEAR(hit.distance, 7, EPS);
    EXPECT_TRUE(vectorNear(hit.point, Vector3(1.5f, -1.5f, -7), EPS));
    EXPECT_TRUE(vectorNear(hit.normal, Vector3(0, 0, 1), EPS));  // the mesh reports (0, 0, 4)
    EXPECT_EQ(hit.collider, collider);
}

TEST(MeshCollider, BackFacesCountOnlyWhenTheMeshIsNotCulled) {
    for (bool cull : {true, false}) {
        Scene scene;
        Mesh* plane = planeAt(-3);
        plane->cullFace = cull;
        scene.add(new MeshCollider(plane));
        scene.raycast(makeRay(Vector3(0, 0, -10), Vector3(0, 0, 1)));
        if (cull) {
            EXPECT_EQ(Scene::raycastInfo.results.size(), 0);
        } else {
            ASSERT_EQ(Scene::raycastInfo.results.size(), 1);
            EXPECT_NEAR(Scene::raycastInfo.results.at(0).distance, 7, EPS);
            EXPECT_TRUE(vectorNear(Scene::raycastInfo.results.at(0).normal, Vector3(0, 0, -1), EPS));
        }
    }
}

TEST(MeshCollider, OwnMeshTakesPrecedenceOverTheEntry) {
    MeshResource entry("far-plane.obj");
    entry.mesh = planeAt(-9);  // already loaded: the entry hands it out as it is
    Scene scene;
    auto* both = new MeshCollider(planeAt(-2));
    both->meshResource = &entry;
    scene.add(both);

    scene.raycast(DOWN);
    ASSERT_EQ(Scene::raycastInfo.results.size(), 1);
    EXPECT_NEAR(Scene::raycastInfo.results.at(0).distance, 2, EPS);

    both->unlink();
    delete both;
    EXPECT_NE(entry.mesh, nullptr);  // the entry's mesh is not the collider's to delete

    auto* entryOnly = new MeshCollider(&entry);
    scene.add(entryOnly);
    scene.raycast(DOWN);
    ASSERT_EQ(Scene::raycastInfo.results.size(), 1);
    EXPECT_NEAR(Scene::raycastInfo.results.at(0).distance, 9, EPS);
    EXPECT_EQ(Scene::raycastInfo.results.at(0).collider, entryOnly);
}

TEST(MeshCollider, NearestTriangleOfSeveralPlanesInOneMesh) {
    Mesh* stack = planeAt(-6);
    stack->generatePlane(Matrix4x4(Vector3(0, 0, -4)));
    stack->generatePlane(Matrix4x4(Vector3(0, 0, -5)));
    Scene scene;
    scene.add(new MeshCollider(stack));
    scene.raycast(DOWN);
    ASSERT_EQ(Scene::raycastInfo.results.size(), 1);
    EXPECT_NEAR(Scene::raycastInfo.results.at(0).distance, 4, EPS);
}

TEST(MeshCollider, ResourceEventsLeaveAnUnbufferedMeshUsable) {
    MeshResource entry("plane.obj");
    entry.mesh = planeAt(-1);
    Scene scene;
    auto* own = new MeshCollider(planeAt(-3));
    auto* shared = new MeshCollider(&entry);
    scene.add(own);
    scene.add(shared);

    scene.sendBroadcast(Events::RELEASE_RESOURCES);
    EXPECT_EQ(entry.mesh, nullptr);  // the entry dropped what it had loaded
    scene.sendBroadcast(Events::CREATE_RESOURCES);
    EXPECT_FALSE(own->mesh->buffered);
    EXPECT_EQ(own->mesh->verticesBuffer, nullptr);

    shared->unlink();
    delete shared;
    scene.raycast(DOWN);
    ASSERT_EQ(Scene::raycastInfo.results.size(), 1);
    EXPECT_EQ(Scene::raycastInfo.results.at(0).collider, own);
}

}  // namespace
