// MeshRenderer without GL: its defaults and the checks that come before anything is loaded
// or drawn.
#include <gtest/gtest.h>

#include "render/Mesh.h"
#include "resources/ResourceEvents.h"
#include "resources/Resources.h"
#include "scene/Camera.h"
#include "scene/MeshRenderer.h"
#include "scene/Scene.h"
#include "support/Thrown.h"
#include "window/WindowEvents.h"

namespace {

TEST(MeshRenderer, StartsWithItsDefaults) {
    Resources::init();  // registers the standard materials; loads nothing
    ASSERT_NE(Resources::DEFAULT_MATERIAL, nullptr);
    MeshRenderer r;
    EXPECT_EQ(r.materialResource, Resources::DEFAULT_MATERIAL);
    EXPECT_EQ(Resources::DEFAULT_MATERIAL->material, nullptr);
    Resources::release();

    EXPECT_EQ(r.meshResource, nullptr);
    EXPECT_EQ(r.mesh, nullptr);
    EXPECT_EQ(r.material, nullptr);
    EXPECT_TRUE(r.depthTest);
    EXPECT_EQ(r.ambientColor, (Color{1, 1, 1, 1}));
    EXPECT_EQ(r.diffuseColor, (Color{1, 1, 1, 1}));
    EXPECT_EQ(r.specularColor, (Color{1, 1, 1, 1}));
    EXPECT_EQ(r.shininess, 5.0f);
    EXPECT_EQ(r.textureResource, nullptr);
    EXPECT_TRUE(r.visible);
    EXPECT_EQ(r.layerMask, 1u);
}

struct SceneWithRenderer {
    Scene scene;
    MeshRenderer* renderer = new MeshRenderer;

    SceneWithRenderer() {
        auto* camera = new Camera(911, 512);
        scene.add(camera);
        scene.camera = camera;
        scene.add(renderer);
        scene.sendBroadcast(Events::UPDATE);
    }
};

// The material check comes first, the mesh check second, and neither loads anything.
TEST(MeshRenderer, MissingMaterialOrMeshThrowsBeforeLoadingAnything) {
    MaterialResource unloadedMaterial("uv/none.v.glsl:uv/none.f.glsl");
    MeshResource unloadedMesh("none.obj");
    struct Case {
        const char* label;
        bool material, mesh;
        const char* message;
    };
    const Case cases[] = {
        {"neither", false, false, "Material and MaterialResource is not set"},
        {"mesh only", false, true, "Material and MaterialResource is not set"},
        {"material only", true, false, "Mesh and MeshResource is not set"},
    };
    for (const Case& c : cases) {
        SceneWithRenderer s;
        s.renderer->materialResource = c.material ? &unloadedMaterial : nullptr;
        s.renderer->meshResource = c.mesh ? &unloadedMesh : nullptr;
        EXPECT_EQ(thrownMessage([&] { s.scene.render(); }), c.message) << c.label;
        EXPECT_EQ(unloadedMaterial.material, nullptr) << c.label;
        EXPECT_EQ(unloadedMesh.mesh, nullptr) << c.label;
    }
}

TEST(MeshRenderer, SkippedRenderersDoNotCheckMaterialOrMesh) {
    SceneWithRenderer s;
    s.renderer->materialResource = nullptr;
    s.renderer->visible = false;
    EXPECT_EQ(thrownMessage([&] { s.scene.render(); }), "");
    s.renderer->visible = true;
    s.renderer->layerMask = 2;
    s.scene.layerMask = 1;
    EXPECT_EQ(thrownMessage([&] { s.scene.render(); }), "");
}

TEST(MeshRenderer, ReleaseResourcesDropsTheEntriesItUses) {
    MeshResource meshEntry("plane.obj");
    meshEntry.mesh = Mesh::createPlane(Matrix4x4());
    MaterialResource materialEntry("a.v.glsl:a.f.glsl");
    SceneWithRenderer s;
    s.renderer->meshResource = &meshEntry;
    s.renderer->materialResource = &materialEntry;
    s.renderer->mesh = Mesh::createPlane(Matrix4x4());  // unbuffered: nothing to rebuild

    s.scene.sendBroadcast(Events::RELEASE_RESOURCES);
    EXPECT_EQ(meshEntry.mesh, nullptr);
    ASSERT_NE(s.renderer->mesh, nullptr);
    s.scene.sendBroadcast(Events::CREATE_RESOURCES);
    EXPECT_EQ(meshEntry.mesh, nullptr);  // entries come back on their next use, not here
    EXPECT_NE(s.renderer->mesh->vertices, nullptr);
}

}  // namespace
