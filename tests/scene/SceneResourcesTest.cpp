// GPU objects of a drawn scene dropped and rebuilt as on a fullscreen toggle or a display
// switch: "releaseResources" then "createResources", with the material and texture coming
// back from the registry (here from a data directory) on their first use.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/GL.h"
#include "render/Mesh.h"
#include "render/Texture.h"
#include "resources/ResourceEvents.h"
#include "resources/Resources.h"
#include "scene/Camera.h"
#include "scene/MeshRenderer.h"
#include "scene/Scene.h"
#include "support/GLWindow.h"
#include "support/Png.h"
#include "support/RegistryFixture.h"
#include "window/WindowEvents.h"

namespace {

const int SIZE = 64;
const int RED[] = {255, 0, 0};
const int GREEN[] = {0, 255, 0};
const int BLUE[] = {0, 0, 255};
const int YELLOW[] = {255, 255, 0};

std::string sourceFile(const std::string& relative) {
    std::ifstream in(std::string(QUANDRELS_SOURCE_DIR "/data/") + relative, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<uint8_t> frame() {
    std::vector<uint8_t> pixels(SIZE * SIZE * 4);
    glFinish();
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, SIZE, SIZE, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

// Pixels of one texel colour (r, g, b each 0 or 255).
int pixelsOf(const std::vector<uint8_t>& pixels, int r, int g, int b) {
    int count = 0;
    for (size_t i = 0; i < pixels.size(); i += 4) {
        count +=
            std::abs(pixels[i] - r) < 8 && std::abs(pixels[i + 1] - g) < 8 && std::abs(pixels[i + 2] - b) < 8;
    }
    return count;
}

// Loads from data/ in a fresh working directory with an empty registry.
class SceneResourcesTest : public RegistryFixture {
protected:
    GLWindow window{SIZE, SIZE};

    void SetUp() override {
        RegistryFixture::SetUp();
        for (const char* name : {"uv/simple-textured.v.glsl", "uv/simple-textured.f.glsl"})
            dataFile(name, sourceFile(name));
        // Top row red and green, bottom row blue and yellow.
        dataFile("quad.png", png::encode(2, 2, png::RGB, {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 0}));
    }
};

TEST_F(SceneResourcesTest, ReleaseThenCreateDrawsTheSameAgain) {
    Scene scene;
    scene.viewport = Rect{0, 0, SIZE, SIZE};
    auto* camera = new Camera(90, 0.5f, 10);
    scene.add(camera);
    scene.camera = camera;
    auto* renderer = new MeshRenderer;
    renderer->mesh = Mesh::createTexturedPlane(GL_STATIC_DRAW, Matrix4x4());
    renderer->localMatrix = Matrix4x4(Vector3(0.2f, -0.1f, -2));
    renderer->localMatrix.rotate(Vector3(0, 1, 0), 25);
    renderer->materialResource =
        Resources::getMaterialResource("uv/simple-textured.v.glsl:uv/simple-textured.f.glsl");
    renderer->textureResource = Resources::getTextureResource("quad.png", 0, Texture::NO_COLOR_KEY);
    auto* group = new Transform;  // the events reach renderers below other nodes too
    scene.add(group);
    group->add(renderer);

    auto draw = [&] {
        glViewport(0, 0, SIZE, SIZE);
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        scene.sendBroadcast(Events::UPDATE);
        scene.render();
        return frame();
    };

    std::vector<uint8_t> before = draw();
    // All four texels show, each over a good share of the plane.
    for (const int* c : {RED, GREEN, BLUE, YELLOW}) EXPECT_GT(pixelsOf(before, c[0], c[1], c[2]), 100);
    EXPECT_NE(renderer->materialResource->material, nullptr);
    EXPECT_NE(renderer->textureResource->texture, nullptr);

    scene.sendBroadcast(Events::RELEASE_RESOURCES);
    EXPECT_EQ(renderer->materialResource->material, nullptr);
    EXPECT_EQ(renderer->textureResource->texture, nullptr);
    EXPECT_EQ(renderer->mesh->verticesBuffer, nullptr);
    EXPECT_EQ(renderer->mesh->texcoordsBuffer, nullptr);
    EXPECT_EQ(renderer->mesh->elementsBuffer, nullptr);

    scene.sendBroadcast(Events::CREATE_RESOURCES);
    EXPECT_NE(renderer->mesh->verticesBuffer, nullptr);
    EXPECT_NE(renderer->mesh->texcoordsBuffer, nullptr);
    EXPECT_NE(renderer->mesh->elementsBuffer, nullptr);
    EXPECT_EQ(renderer->materialResource->material, nullptr);  // back on first use only

    std::vector<uint8_t> after = draw();
    EXPECT_TRUE(after == before);
    EXPECT_NE(renderer->materialResource->material, nullptr);
    EXPECT_NE(renderer->textureResource->texture, nullptr);
}

}  // namespace
