// Scenes drawn into a real window and read back: an orthographic 911 x 512 scene drawn
// through a display-style viewportRef, renderers skipped by layer or visibility while their
// children still draw, a material shared by renderers of different colours, and GPU objects
// dropped and rebuilt. Both builds must produce the same pictures.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "core/Buffer.h"
#include "platform/GL.h"
#include "render/Material.h"
#include "render/Mesh.h"
#include "render/ShaderProgram.h"
#include "render/Texture.h"
#include "resources/Resource.h"
#include "scene/Camera.h"
#include "scene/MeshRenderer.h"
#include "scene/Scene.h"
#include "support/GLWindow.h"
#include "support/Png.h"
#include "window/WindowEvents.h"

namespace {

const int WIDTH = 200;
const int HEIGHT = 120;
// The display's letter box, in window pixels from the bottom left.
const Rect LETTERBOX{20, 10, 160, 90};

struct Rgb {
    int r, g, b;
};

const Rgb BLACK{0, 0, 0};
const Rgb RED{255, 0, 0};
const Rgb GREEN{0, 255, 0};
const Rgb BLUE{0, 0, 255};
const Rgb WHITE{255, 255, 255};

std::string readSource(const std::string& name) {
    std::ifstream in(std::string(QUANDRELS_SOURCE_DIR "/data/uv/") + name, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

Material* simpleTextured() {
    std::string vertex = readSource("simple-textured.v.glsl");
    std::string fragment = readSource("simple-textured.f.glsl");
    return new Material(new ShaderProgram(vertex.c_str(), fragment.c_str()));
}

// An RGB image, top row first, drawn with nearest filtering.
Texture* texture(int width, int height, const std::vector<Rgb>& texels) {
    std::vector<uint8_t> bytes;
    for (const Rgb& c : texels) bytes.insert(bytes.end(), {uint8_t(c.r), uint8_t(c.g), uint8_t(c.b)});
    std::string png = png::encode(width, height, png::RGB, bytes);
    Buffer image;
    image.write(png.data(), static_cast<int>(png.size()));
    return new Texture(&image, 0, Texture::NO_COLOR_KEY);
}

// The whole window, read back once; (x, y) from the bottom left.
class Frame {
public:
    Frame() : pixels(WIDTH * HEIGHT * 4) {
        glFinish();
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, WIDTH, HEIGHT, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    }
    Rgb at(int x, int y) const {
        const uint8_t* p = &pixels[static_cast<size_t>((y * WIDTH + x) * 4)];
        return Rgb{p[0], p[1], p[2]};
    }
    bool lit(int x, int y) const {
        Rgb c = at(x, y);
        return c.r + c.g + c.b > 0;
    }
    // The smallest rectangle holding every non-black pixel, as {x, y, width, height}.
    Rect litBounds() const {
        int x0 = WIDTH, y0 = HEIGHT, x1 = -1, y1 = -1;
        for (int y = 0; y < HEIGHT; y++) {
            for (int x = 0; x < WIDTH; x++) {
                if (!lit(x, y)) continue;
                x0 = std::min(x0, x);
                y0 = std::min(y0, y);
                x1 = std::max(x1, x);
                y1 = std::max(y1, y);
            }
        }
        return x1 < 0 ? Rect{} : Rect{x0, y0, x1 - x0 + 1, y1 - y0 + 1};
    }
    bool operator==(const Frame& other) const { return pixels == other.pixels; }

private:
    std::vector<uint8_t> pixels;
};

testing::AssertionResult colourNear(const Frame& frame, int x, int y, Rgb expected) {
    Rgb c = frame.at(x, y);
    if (std::abs(c.r - expected.r) <= 2 && std::abs(c.g - expected.g) <= 2 && std::abs(c.b - expected.b) <= 2)
        return testing::AssertionSuccess();
    return testing::AssertionFailure()
           << "pixel (" << x << ", " << y << ") is (" << c.r << ", " << c.g << ", " << c.b << "), expected ("
           << expected.r << ", " << expected.g << ", " << expected.b << ")";
}

testing::AssertionResult rectNear(const Rect& actual, const Rect& expected) {
    if (std::abs(actual.x - expected.x) <= 1 && std::abs(actual.y - expected.y) <= 1 &&
        std::abs(actual.x + actual.width - expected.x - expected.width) <= 1 &&
        std::abs(actual.y + actual.height - expected.y - expected.height) <= 1)
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << "{" << actual.x << ", " << actual.y << ", " << actual.width << ", "
                                       << actual.height << "} is not {" << expected.x << ", " << expected.y
                                       << ", " << expected.width << ", " << expected.height << "}";
}

// Window pixel columns and rows (from the bottom) of points in the 911 x 512 space (y down)
// drawn into LETTERBOX.
int column(float x) { return static_cast<int>(std::floor(LETTERBOX.x + x * LETTERBOX.width / 911.0f)); }
int row(float y) { return static_cast<int>(std::floor(LETTERBOX.y + (512 - y) * LETTERBOX.height / 512.0f)); }

// The pixels covered by the axis-aligned box [x0, x1] x [y0, y1] of the 911 x 512 space.
Rect covered(float x0, float x1, float y0, float y1) {
    auto first = [](float edge) { return static_cast<int>(std::ceil(edge - 0.5f)); };
    float left = LETTERBOX.x + x0 * LETTERBOX.width / 911.0f;
    float right = LETTERBOX.x + x1 * LETTERBOX.width / 911.0f;
    float bottom = LETTERBOX.y + (512 - y1) * LETTERBOX.height / 512.0f;
    float top = LETTERBOX.y + (512 - y0) * LETTERBOX.height / 512.0f;
    return Rect{first(left), first(bottom), first(right) - first(left), first(top) - first(bottom)};
}

// A 2 x 2 unit plane placed at (x, y) of its parent and scaled to half-extents (w, h),
// flipped in y as every 2D element of the game is under the y-down camera.
MeshRenderer* plane(Material* material, TextureResource* texture, float x, float y, float w, float h) {
    auto* r = new MeshRenderer;
    r->mesh = Mesh::createTexturedPlane(GL_STATIC_DRAW, Matrix4x4());
    r->material = material;
    r->textureResource = texture;
    r->localMatrix = Matrix4x4(Vector3(x, y, 0));
    r->localMatrix.scale(Vector3(w, -h, 1));
    return r;
}

class SceneDrawTest : public testing::Test {
protected:
    GLWindow window{WIDTH, HEIGHT};
    std::unique_ptr<Material> material{simpleTextured()};
    Scene scene;
    Rect letterbox = LETTERBOX;

    void SetUp() override {
        auto* camera = new Camera(911, 512);
        scene.add(camera);
        scene.camera = camera;
        scene.viewportRef = &letterbox;
    }

    void draw() {
        glViewport(0, 0, WIDTH, HEIGHT);
        glClearColor(0, 0, 0, 1);
        glClearDepth(1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        scene.sendBroadcast(Events::UPDATE);
        scene.render();
    }
};

TEST_F(SceneDrawTest, OrthographicSceneDrawsATexturedPlaneIntoTheViewportRef) {
    TextureResource quadrants("quadrants.png", 0, Texture::NO_COLOR_KEY);
    quadrants.texture = texture(2, 2, {RED, GREEN, BLUE, WHITE});
    scene.add(plane(material.get(), &quadrants, 455.5f, 250, 200, 128));

    draw();
    Frame frame;

    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[0], LETTERBOX.x);
    EXPECT_EQ(viewport[1], LETTERBOX.y);
    EXPECT_EQ(viewport[2], LETTERBOX.width);
    EXPECT_EQ(viewport[3], LETTERBOX.height);
    EXPECT_EQ(scene.viewport.width, 0);

    EXPECT_TRUE(rectNear(frame.litBounds(), covered(255.5f, 655.5f, 122, 378)));
    // The picture stands upright: its top row at the top of the screen.
    EXPECT_TRUE(colourNear(frame, column(355), row(186), RED));
    EXPECT_TRUE(colourNear(frame, column(555), row(186), GREEN));
    EXPECT_TRUE(colourNear(frame, column(355), row(314), BLUE));
    EXPECT_TRUE(colourNear(frame, column(555), row(314), WHITE));
}

TEST_F(SceneDrawTest, TheLetterBoxFollowsTheDisplayWithoutCopying) {
    TextureResource white("white.png", 0, Texture::NO_COLOR_KEY);
    white.texture = texture(1, 1, {WHITE});
    scene.add(plane(material.get(), &white, 455.5f, 256, 455.5f, 256));  // the whole space

    draw();
    EXPECT_TRUE(rectNear(Frame().litBounds(), LETTERBOX));
    letterbox = Rect{0, 30, 100, 60};
    draw();
    EXPECT_TRUE(rectNear(Frame().litBounds(), letterbox));
}

// Parent and child share one material with different colours; the child sits at (4, 0) in
// the parent's units and half its size.
TEST_F(SceneDrawTest, SkippedRenderersDrawNothingWhileTheirChildrenDraw) {
    TextureResource white("white.png", 0, Texture::NO_COLOR_KEY);
    white.texture = texture(1, 1, {WHITE});
    const Rect parentArea = covered(100, 300, 150, 350);
    const Rect childArea = covered(550, 650, 200, 300);
    enum Mode { DRAWN, INVISIBLE, OTHER_LAYER };
    for (Mode mode : {DRAWN, INVISIBLE, OTHER_LAYER}) {
        SCOPED_TRACE(mode);
        MeshRenderer* parent = plane(material.get(), &white, 200, 250, 100, 100);
        parent->ambientColor = Color{1, 0, 0, 1};
        MeshRenderer* child = plane(material.get(), &white, 4, 0, 0.5f, 0.5f);
        child->localMatrix.scale(Vector3(1, -1, 1));  // undo the second flip
        child->ambientColor = Color{0, 1, 0, 1};
        parent->add(child);
        scene.add(parent);
        scene.layerMask = 1;
        if (mode == INVISIBLE) parent->visible = false;
        if (mode == OTHER_LAYER) parent->layerMask = 2;

        draw();
        Frame frame;

        int cx = childArea.x + childArea.width / 2, cy = childArea.y + childArea.height / 2;
        int px = parentArea.x + parentArea.width / 2, py = parentArea.y + parentArea.height / 2;
        EXPECT_TRUE(colourNear(frame, cx, cy, GREEN));
        EXPECT_TRUE(colourNear(frame, px, py, mode == DRAWN ? RED : BLACK));
        if (mode == DRAWN) {
            EXPECT_TRUE(rectNear(frame.litBounds(),
                                 Rect{parentArea.x, parentArea.y,
                                      childArea.x + childArea.width - parentArea.x, parentArea.height}));
        } else {
            EXPECT_TRUE(rectNear(frame.litBounds(), childArea));
        }
        // The shared material holds the values of the last draw: the child's.
        EXPECT_EQ(material->ambient, (Color{0, 1, 0, 1}));
        EXPECT_EQ(material->sceneAmbient, scene.ambient);
        EXPECT_EQ(material->lights, scene.lights);
        EXPECT_EQ(material->lightsCount, 0);

        parent->unlink();
        delete parent;
    }
}

TEST_F(SceneDrawTest, EveryRendererSetsAllMaterialValuesBeforeItsDraw) {
    TextureResource white("white.png", 0, Texture::NO_COLOR_KEY);
    white.texture = texture(1, 1, {WHITE});
    // The first renderer changes every value; the second, with the defaults, must not
    // inherit any of them.
    MeshRenderer* first = plane(material.get(), &white, 200, 256, 100, 100);
    first->ambientColor = Color{0, 0, 1, 1};
    first->diffuseColor = Color{0.5f, 0.5f, 0.5f, 1};
    first->specularColor = Color{0, 0, 0, 1};
    first->shininess = 40;
    first->depthTest = false;
    MeshRenderer* second = plane(material.get(), &white, 700, 256, 100, 100);
    scene.add(first);
    scene.add(second);
    scene.ambient = Color{1, 1, 0.5f, 1};

    draw();
    Frame frame;

    EXPECT_TRUE(colourNear(frame, column(200), row(256), Rgb{0, 0, 128}));
    EXPECT_TRUE(colourNear(frame, column(700), row(256), Rgb{255, 255, 128}));
    EXPECT_EQ(material->ambient, (Color{1, 1, 1, 1}));
    EXPECT_EQ(material->diffuse, (Color{1, 1, 1, 1}));
    EXPECT_EQ(material->specular, (Color{1, 1, 1, 1}));
    EXPECT_EQ(material->shininess, 5.0f);
    EXPECT_TRUE(material->depthTest);
    EXPECT_EQ(material->sceneAmbient, (Color{1, 1, 0.5f, 1}));
}

TEST_F(SceneDrawTest, OwnMeshTakesPrecedenceOverTheMeshEntry) {
    TextureResource white("white.png", 0, Texture::NO_COLOR_KEY);
    white.texture = texture(1, 1, {WHITE});
    MeshResource elsewhere("elsewhere.obj");
    // Loaded already: a plane far to the left of the renderer's own.
    elsewhere.mesh = Mesh::createTexturedPlane(GL_STATIC_DRAW, Matrix4x4(Vector3(-3, 0, 0)));
    MeshRenderer* r = plane(material.get(), &white, 600, 256, 100, 100);
    r->meshResource = &elsewhere;
    scene.add(r);

    draw();
    EXPECT_TRUE(rectNear(Frame().litBounds(), covered(500, 700, 156, 356)));

    delete r->mesh;
    r->mesh = nullptr;
    draw();
    EXPECT_TRUE(rectNear(Frame().litBounds(), covered(200, 400, 156, 356)));
}

}  // namespace
