// Materials drawing into a real window, read back pixel by pixel. Both builds run the same
// cases against the same expected pixels, so the shader and fixed-function pictures agree.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "core/Buffer.h"
#include "platform/GL.h"
#include "render/GLBuffer.h"
#include "render/Material.h"
#include "render/Mesh.h"
#include "render/ShaderProgram.h"
#include "render/Texture.h"
#include "support/GLWindow.h"
#include "support/Png.h"
#include "support/Thrown.h"

namespace {

#ifdef QUANDRELS_TEST_FIXED_BUILD
const bool SHADER_BUILD = false;
#else
const bool SHADER_BUILD = true;
#endif

const int SIZE = 64;

std::string readSource(const std::string& name) {
    std::ifstream in(std::string(QUANDRELS_SOURCE_DIR "/data/uv/") + name, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The three standard pairs, by their base name.
const char* const GOURAUD = "gouraud-shading";
const char* const SIMPLE = "simple-textured";
const char* const ALPHA_TEST = "textured-gt-0-5";
const char* const STANDARD[] = {GOURAUD, SIMPLE, ALPHA_TEST};

// Made as the registry makes them, which marks the alpha-test pair.
std::unique_ptr<Material> standardMaterial(const std::string& name) {
    std::string vertex = readSource(name + ".v.glsl");
    std::string fragment = readSource(name + ".f.glsl");
    EXPECT_FALSE(vertex.empty()) << name;
    auto material = std::make_unique<Material>(new ShaderProgram(vertex.c_str(), fragment.c_str()));
    material->alphaAboveHalf = name == ALPHA_TEST;
    return material;
}

struct Rgba {
    int r, g, b, a;
};

std::string text(const Rgba& c) {
    return "(" + std::to_string(c.r) + ", " + std::to_string(c.g) + ", " + std::to_string(c.b) + ")";
}

// Window coordinates, origin bottom left.
Rgba pixel(int x, int y) {
    unsigned char p[4] = {0, 0, 0, 0};
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, p);
    return Rgba{p[0], p[1], p[2], p[3]};
}

// Colour channels only: the window may have no alpha channel.
testing::AssertionResult near(const Rgba& actual, const Rgba& expected, int tolerance = 3) {
    if (std::abs(actual.r - expected.r) <= tolerance && std::abs(actual.g - expected.g) <= tolerance &&
        std::abs(actual.b - expected.b) <= tolerance) {
        return testing::AssertionSuccess();
    }
    return testing::AssertionFailure() << text(actual) << " is not " << text(expected);
}

int byte(float value) { return static_cast<int>(std::lround(value * 255)); }

// The centres of the four quadrants of the window, in window coordinates.
const int LEFT = 12, RIGHT = SIZE - 13, TOP = SIZE - 13, BOTTOM = 12;

// A 4 x 4 image whose quadrants are 2 x 2 blocks of one colour each (RGBA, top row first),
// so that linear filtering inside a quadrant sees one colour only.
std::unique_ptr<Texture> quadrantTexture(const Rgba& topLeft, const Rgba& topRight, const Rgba& bottomLeft,
                                         const Rgba& bottomRight, bool alpha) {
    std::vector<uint8_t> pixels;
    for (int y = 0; y < 4; y++) {
        for (int x = 0; x < 4; x++) {
            const Rgba& c = y < 2 ? (x < 2 ? topLeft : topRight) : (x < 2 ? bottomLeft : bottomRight);
            pixels.insert(pixels.end(),
                          {static_cast<uint8_t>(c.r), static_cast<uint8_t>(c.g), static_cast<uint8_t>(c.b)});
            if (alpha) pixels.push_back(static_cast<uint8_t>(c.a));
        }
    }
    std::string png = png::encode(4, 4, alpha ? png::RGBA : png::RGB, pixels);
    Buffer image;
    image.write(png.data(), static_cast<int>(png.size()));
    return std::make_unique<Texture>(&image, 1, Texture::NO_COLOR_KEY);
}

struct Scene {
    Matrix4x4 projection;
    Matrix4x4 view;
    Matrix4x4 model;
};

class MaterialTest : public testing::Test {
protected:
    GLWindow window{SIZE, SIZE};

    void SetUp() override {
        glViewport(0, 0, SIZE, SIZE);
        clear(0, 0, 0);
    }

    static void clear(float r, float g, float b) {
        glClearColor(r, g, b, 1);
        glClearDepth(1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }

    // A textured plane over the whole viewport.
    static std::unique_ptr<Mesh> plane(Matrix4x4 m = Matrix4x4()) {
        return std::unique_ptr<Mesh>(Mesh::createTexturedPlane(GL_STATIC_DRAW, m));
    }

    static void draw(Material& material, Mesh& mesh, Texture* texture, Scene scene = Scene()) {
        material.render(&scene.projection, &scene.view, &scene.model, &mesh, texture);
    }
};

// After any draw: nothing of it stays enabled and no program is bound.
void expectCleanState(const char* label) {
    SCOPED_TRACE(label);
    EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_FALSE(glIsEnabled(GL_CULL_FACE));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
    EXPECT_FALSE(glIsEnabled(GL_NORMALIZE));
    for (int i = 0; i < 8; i++)
        EXPECT_FALSE(glIsEnabled(static_cast<GLenum>(GL_LIGHT0 + i))) << "light " << i;
#ifndef QUANDRELS_TEST_FIXED_BUILD
    {
        GLint program = -1;
        glGetIntegerv(GL_CURRENT_PROGRAM, &program);
        EXPECT_EQ(program, 0);
        GLint arrayBuffer = -1;
        glGetIntegerv(GL_ARRAY_BUFFER_BINDING, &arrayBuffer);
        EXPECT_EQ(arrayBuffer, 0);
        GLint elementBuffer = -1;
        glGetIntegerv(GL_ELEMENT_ARRAY_BUFFER_BINDING, &elementBuffer);
        EXPECT_EQ(elementBuffer, 0);
        for (GLuint i = 0; i < 4; i++) {
            GLint enabled = -1;
            glGetVertexAttribiv(i, GL_VERTEX_ATTRIB_ARRAY_ENABLED, &enabled);
            EXPECT_EQ(enabled, 0) << "attribute " << i;
        }
    }
#endif
}

TEST_F(MaterialTest, StandardPairsCompileWithTheirInterface) {
    if (!SHADER_BUILD) GTEST_SKIP() << "the fixed-function build compiles no shaders";
    for (const char* name : STANDARD) {
        SCOPED_TRACE(name);
        std::unique_ptr<Material> material = standardMaterial(name);
        EXPECT_NE(material->v_coord, -1);
        EXPECT_NE(material->mvp, -1);
        EXPECT_NE(material->v_texcoord, -1);
        EXPECT_NE(material->texture, -1);
        EXPECT_NE(material->is_textured, -1);
        EXPECT_NE(material->mat_ambient, -1);
        EXPECT_NE(material->scene_ambient, -1);
        EXPECT_EQ(material->v_color, -1);
        EXPECT_EQ(material->is_textured_f, -1);
        bool lit = std::string(name) == GOURAUD;
        EXPECT_EQ(material->v_normal != -1, lit);
        EXPECT_EQ(material->lights_count != -1, lit);
        EXPECT_EQ(material->lightsLocation != -1, lit);
        EXPECT_EQ(material->mat_diffuse != -1, lit);
        EXPECT_EQ(material->v_inv != -1, lit);
    }
}

TEST_F(MaterialTest, TexturedPlaneIsColourTimesTextureTheRightWayUp) {
    // Red, green, blue and white quadrants; the material colour (scene ambient times
    // ambient) is (1, 0.5, 0.25).
    auto texture =
        quadrantTexture({255, 0, 0, 255}, {0, 255, 0, 255}, {0, 0, 255, 255}, {255, 255, 255, 255}, false);
    auto mesh = plane();
    for (const char* name : STANDARD) {
        SCOPED_TRACE(name);
        clear(0, 0, 0);
        std::unique_ptr<Material> material = standardMaterial(name);
        material->sceneAmbient = Color{1, 1, 0.5f, 1};
        material->ambient = Color{1, 0.5f, 0.5f, 1};
        draw(*material, *mesh, texture.get());
        EXPECT_TRUE(near(pixel(LEFT, TOP), {255, 0, 0, 255}));
        EXPECT_TRUE(near(pixel(RIGHT, TOP), {0, 128, 0, 255}));
        EXPECT_TRUE(near(pixel(LEFT, BOTTOM), {0, 0, 64, 255}));
        EXPECT_TRUE(near(pixel(RIGHT, BOTTOM), {255, 128, 64, 255}));
        expectCleanState(name);
    }
}

TEST_F(MaterialTest, PlaneCoversExactlyItsPartOfTheViewport) {
    // A plane scaled to half size and moved right covers x in [0, 1], y in [-0.5, 0.5].
    Matrix4x4 m(Vector3(0.5f, 0, 0));
    m.scale(Vector3(0.5f, 0.5f, 1));
    auto mesh = plane(m);
    std::unique_ptr<Material> material = standardMaterial(GOURAUD);
    material->ambient = Color{0, 1, 0, 1};
    draw(*material, *mesh, nullptr);
    EXPECT_TRUE(near(pixel(SIZE / 2 + 2, SIZE / 2), {0, 255, 0, 255}));
    EXPECT_TRUE(near(pixel(SIZE - 2, SIZE / 4 + 2), {0, 255, 0, 255}));
    EXPECT_TRUE(near(pixel(SIZE / 2 - 2, SIZE / 2), {0, 0, 0, 255}));
    EXPECT_TRUE(near(pixel(SIZE - 2, SIZE / 4 - 2), {0, 0, 0, 255}));
    EXPECT_TRUE(near(pixel(SIZE * 3 / 4, SIZE * 3 / 4 + 2), {0, 0, 0, 255}));
}

TEST_F(MaterialTest, UntexturedDrawUsesTheAmbientColour) {
    // Without a texture, or with a texture but no texture coordinates, the plane has the
    // material colour: scene ambient times ambient.
    auto texture =
        quadrantTexture({255, 0, 0, 255}, {255, 0, 0, 255}, {255, 0, 0, 255}, {255, 0, 0, 255}, false);
    std::unique_ptr<Mesh> withoutTexcoords(new Mesh(GL_STATIC_DRAW));
    withoutTexcoords->generatePlane(Matrix4x4());
    auto textured = plane();
    struct Case {
        const char* label;
        Mesh* mesh;
        Texture* texture;
    };
    const std::vector<Case> cases = {{"no texture", textured.get(), nullptr},
                                     {"no texture coordinates", withoutTexcoords.get(), texture.get()}};
    for (const char* name : STANDARD) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(name) + ", " + c.label);
            clear(0, 0, 0);
            std::unique_ptr<Material> material = standardMaterial(name);
            material->sceneAmbient = Color{0.5f, 1, 1, 1};
            material->ambient = Color{1, 0.8f, 0.2f, 1};
            draw(*material, *c.mesh, c.texture);
            for (int x : {LEFT, RIGHT}) {
                for (int y : {TOP, BOTTOM}) EXPECT_TRUE(near(pixel(x, y), {128, 204, 51, 255}));
            }
            expectCleanState(c.label);
        }
    }
}

TEST_F(MaterialTest, TexturesWithAlphaBlendOverTheBackground) {
    // White texels of alpha 1, 128/255, 64/255 and 0 over a blue background.
    auto texture = quadrantTexture({255, 255, 255, 255}, {255, 255, 255, 128}, {255, 255, 255, 64},
                                   {255, 255, 255, 0}, true);
    ASSERT_TRUE(texture->hasAlpha);
    auto mesh = plane();
    const Rgba blended128 = {128, 128, 255, 255};
    const Rgba blended64 = {64, 64, 255, 255};
    const Rgba background = {0, 0, 255, 255};
    for (const char* name : STANDARD) {
        SCOPED_TRACE(name);
        clear(0, 0, 1);
        std::unique_ptr<Material> material = standardMaterial(name);
        draw(*material, *mesh, texture.get());
        EXPECT_TRUE(near(pixel(LEFT, TOP), {255, 255, 255, 255}));
        EXPECT_TRUE(near(pixel(RIGHT, TOP), blended128));
        // The alpha-test pair drops fragments of alpha 0.5 or less, in both builds.
        bool alphaTested = std::string(name) == ALPHA_TEST;
        EXPECT_TRUE(near(pixel(LEFT, BOTTOM), alphaTested ? background : blended64));
        EXPECT_TRUE(near(pixel(RIGHT, BOTTOM), background));
        expectCleanState(name);
    }
}

TEST_F(MaterialTest, MaterialAlphaMultipliesTheTextureAlpha) {
    // Ambient alpha 0.6 on opaque texels blends at 0.6; on texels of alpha 0.5 it gives 0.3,
    // which the alpha-test pair discards.
    auto texture =
        quadrantTexture({255, 0, 0, 255}, {255, 0, 0, 255}, {255, 0, 0, 128}, {255, 0, 0, 128}, true);
    auto mesh = plane();
    for (const char* name : STANDARD) {
        SCOPED_TRACE(name);
        clear(0, 0, 0);
        std::unique_ptr<Material> material = standardMaterial(name);
        material->ambient = Color{1, 1, 1, 0.6f};
        draw(*material, *mesh, texture.get());
        EXPECT_TRUE(near(pixel(LEFT, TOP), {153, 0, 0, 255}));
        bool alphaTested = std::string(name) == ALPHA_TEST;
        EXPECT_TRUE(near(pixel(LEFT, BOTTOM), alphaTested ? Rgba{0, 0, 0, 255} : Rgba{77, 0, 0, 255}));
    }
}

TEST_F(MaterialTest, OpaqueTexturesDoNotBlend) {
    // An RGB texture and a material alpha below 1: nothing is blended.
    auto texture = quadrantTexture({255, 255, 255, 255}, {255, 255, 255, 255}, {255, 255, 255, 255},
                                   {255, 255, 255, 255}, false);
    auto mesh = plane();
    clear(0, 0, 1);
    std::unique_ptr<Material> material = standardMaterial(SIMPLE);
    material->ambient = Color{1, 1, 1, 0.75f};
    draw(*material, *mesh, texture.get());
    EXPECT_TRUE(near(pixel(LEFT, TOP), {255, 255, 255, 255}));
}

TEST_F(MaterialTest, BackFacesAreCulledUnlessTheMeshIsTwoSided) {
    // The plane turned half around y shows its back.
    Matrix4x4 turned = Matrix4x4::rotation(Vector3(0, 1, 0), 180);
    auto mesh = plane(turned);
    for (const char* name : STANDARD) {
        for (bool cullFace : {true, false}) {
            SCOPED_TRACE(std::string(name) + (cullFace ? ", culled" : ", two-sided"));
            clear(0, 0, 0);
            std::unique_ptr<Material> material = standardMaterial(name);
            material->ambient = Color{1, 1, 0, 1};
            mesh->cullFace = cullFace;
            draw(*material, *mesh, nullptr);
            EXPECT_TRUE(
                near(pixel(SIZE / 2, SIZE / 2), cullFace ? Rgba{0, 0, 0, 255} : Rgba{255, 255, 0, 255}));
            expectCleanState("after the draw");
        }
    }
}

TEST_F(MaterialTest, DepthTestKeepsTheNearerPlaneOnlyWhenOn) {
    // The first plane at depth 0 (window depth 0.5), then a farther one at z = 0.5.
    auto nearPlane = plane();
    auto farPlane = plane(Matrix4x4(Vector3(0, 0, 0.5f)));
    for (const char* name : STANDARD) {
        for (bool depthTest : {true, false}) {
            SCOPED_TRACE(std::string(name) + (depthTest ? ", depth test" : ", no depth test"));
            clear(0, 0, 0);
            std::unique_ptr<Material> material = standardMaterial(name);
            material->ambient = Color{1, 0, 0, 1};
            draw(*material, *nearPlane, nullptr);
            material->ambient = Color{0, 1, 0, 1};
            material->depthTest = depthTest;
            draw(*material, *farPlane, nullptr);
            EXPECT_TRUE(
                near(pixel(SIZE / 2, SIZE / 2), depthTest ? Rgba{255, 0, 0, 255} : Rgba{0, 255, 0, 255}));
            expectCleanState("after the draw");
        }
    }
}

TEST_F(MaterialTest, AlphaTestedFragmentsWriteNoDepth) {
    // A near plane whose right half is transparent, then a far plane behind it.
    auto texture = quadrantTexture({255, 0, 0, 255}, {255, 0, 0, 0}, {255, 0, 0, 255}, {255, 0, 0, 0}, true);
    auto nearPlane = plane();
    auto farPlane = plane(Matrix4x4(Vector3(0, 0, 0.5f)));
    std::unique_ptr<Material> material = standardMaterial(ALPHA_TEST);
    draw(*material, *nearPlane, texture.get());
    material->ambient = Color{0, 1, 0, 1};
    draw(*material, *farPlane, nullptr);
    EXPECT_TRUE(near(pixel(LEFT, TOP), {255, 0, 0, 255}));
    EXPECT_TRUE(near(pixel(RIGHT, TOP), {0, 255, 0, 255}));
}

TEST_F(MaterialTest, AlphaTestedDepthOnlyDrawCutsTheShapeOutOfAFartherPlane) {
    // A mask pass: colour writes off, the alpha-test pair writes depth where its texels are
    // opaque (left half); a farther plane then shows only beside that shape.
    auto mask = quadrantTexture({255, 255, 255, 255}, {0, 0, 0, 0}, {255, 255, 255, 255}, {0, 0, 0, 0}, true);
    auto nearPlane = plane();
    auto farPlane = plane(Matrix4x4(Vector3(0, 0, 0.5f)));
    std::unique_ptr<Material> alphaTested = standardMaterial(ALPHA_TEST);
    std::unique_ptr<Material> simple = standardMaterial(SIMPLE);
    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    draw(*alphaTested, *nearPlane, mask.get());
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    simple->ambient = Color{1, 0, 0, 1};
    draw(*simple, *farPlane, nullptr);
    EXPECT_TRUE(near(pixel(LEFT, TOP), {0, 0, 0, 255})) << "inside the shape";
    EXPECT_TRUE(near(pixel(LEFT, BOTTOM), {0, 0, 0, 255})) << "inside the shape";
    EXPECT_TRUE(near(pixel(RIGHT, TOP), {255, 0, 0, 255})) << "beside the shape";
    EXPECT_TRUE(near(pixel(RIGHT, BOTTOM), {255, 0, 0, 255})) << "beside the shape";
}

TEST_F(MaterialTest, TheAlphaTestKeepsAlpha128AndDrops127) {
    // 8-bit alpha above 0.5 starts at 128, whether the driver compares in floats or in bytes.
    auto texture =
        quadrantTexture({255, 0, 0, 128}, {255, 0, 0, 127}, {255, 0, 0, 129}, {255, 0, 0, 126}, true);
    auto mesh = plane();
    std::unique_ptr<Material> material = standardMaterial(ALPHA_TEST);
    draw(*material, *mesh, texture.get());
    EXPECT_TRUE(near(pixel(LEFT, TOP), {128, 0, 0, 255}));
    EXPECT_TRUE(near(pixel(RIGHT, TOP), {0, 0, 0, 255}));
    EXPECT_TRUE(near(pixel(LEFT, BOTTOM), {129, 0, 0, 255}));
    EXPECT_TRUE(near(pixel(RIGHT, BOTTOM), {0, 0, 0, 255}));
}

TEST_F(MaterialTest, AlphaTestIsLeftAsTheDrawFoundIt) {
    auto texture = quadrantTexture({255, 0, 0, 255}, {255, 0, 0, 0}, {255, 0, 0, 255}, {255, 0, 0, 0}, true);
    auto mesh = plane();
    std::unique_ptr<Material> material = standardMaterial(ALPHA_TEST);
    GLint function = 0;
    GLfloat reference = -1;

    draw(*material, *mesh, texture.get());
    EXPECT_FALSE(glIsEnabled(GL_ALPHA_TEST));
    glGetIntegerv(GL_ALPHA_TEST_FUNC, &function);
    glGetFloatv(GL_ALPHA_TEST_REF, &reference);
    EXPECT_EQ(function, GL_ALWAYS);
    EXPECT_EQ(reference, 0.0f);
    expectCleanState("after the draw");

    // A caller that runs its own alpha test around the draw keeps it.
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(GL_LESS, 0.25f);
    draw(*material, *mesh, texture.get());
    EXPECT_TRUE(glIsEnabled(GL_ALPHA_TEST));
    glGetIntegerv(GL_ALPHA_TEST_FUNC, &function);
    glGetFloatv(GL_ALPHA_TEST_REF, &reference);
    EXPECT_EQ(function, GL_LESS);
    EXPECT_EQ(reference, 0.25f);
    glDisable(GL_ALPHA_TEST);
    glAlphaFunc(GL_ALWAYS, 0);
}

TEST_F(MaterialTest, MatricesCombineAsProjectionViewModel) {
    // A camera 3 units back looking at the origin with a 90 degree view: the unit plane at
    // the origin covers the middle third of the window; moved by the model, it follows.
    Scene scene;
    scene.projection = Matrix4x4::perspective(90, 1, 1, 10);
    scene.view = Matrix4x4::lookAt(Vector3(0, 0, 3), Vector3(0, 0, 0), Vector3(0, 1, 0));
    scene.model = Matrix4x4(Vector3(1.5f, 0, 0));
    auto mesh = plane();
    for (const char* name : STANDARD) {
        SCOPED_TRACE(name);
        clear(0, 0, 0);
        std::unique_ptr<Material> material = standardMaterial(name);
        material->ambient = Color{1, 1, 1, 1};
        draw(*material, *mesh, nullptr, scene);
        // x in [0.5, 2.5] at distance 3 maps to window x in [32 + 5.3, 32 + 26.7].
        EXPECT_TRUE(near(pixel(40, 32), {255, 255, 255, 255}));
        EXPECT_TRUE(near(pixel(57, 40), {255, 255, 255, 255}));
        EXPECT_TRUE(near(pixel(34, 32), {0, 0, 0, 255}));
        EXPECT_TRUE(near(pixel(61, 32), {0, 0, 0, 255}));
        EXPECT_TRUE(near(pixel(48, 44), {0, 0, 0, 255}));
    }
}

TEST_F(MaterialTest, MeshWithoutElementsIsATriangleList) {
    // Six positions: the same two triangles as the plane, without an element list.
    std::unique_ptr<Mesh> mesh(new Mesh(GL_STATIC_DRAW));
    float corners[] = {-1, 1, 0, -1, -1, 0, 1, 1, 0, 1, 1, 0, -1, -1, 0, 1, -1, 0, 5, 5, 0};
    mesh->setVertices(sizeof corners, corners);  // the seventh position is a partial triangle
    for (const char* name : STANDARD) {
        SCOPED_TRACE(name);
        clear(0, 0, 0);
        std::unique_ptr<Material> material = standardMaterial(name);
        material->ambient = Color{0, 0, 1, 1};
        draw(*material, *mesh, nullptr);
        EXPECT_TRUE(near(pixel(LEFT, TOP), {0, 0, 255, 255}));
        EXPECT_TRUE(near(pixel(RIGHT, BOTTOM), {0, 0, 255, 255}));
    }
}

TEST_F(MaterialTest, ObjPolygonsAreDrawnWhole) {
    // A quad and a pentagon (a square with a corner cut off) from OBJ text, each covering
    // its half of the window.
    const std::string text =
        "v -1 -1 0\nv 0 -1 0\nv 0 1 0\nv -1 1 0\n"
        "v 0 -1 0\nv 1 -1 0\nv 1 0.5 0\nv 0.5 1 0\nv 0 1 0\nvt 0 0\n"
        "f 1 2 3 4\nf 5/1 6/1 7/1 8/1 9/1\n";
    Buffer obj;
    obj.write(text.data(), static_cast<int>(text.size()));
    Mesh mesh(GL_STATIC_DRAW);
    mesh.loadObj(&obj);
    ASSERT_EQ(mesh.triangleCount(), 5);
    std::unique_ptr<Material> material = standardMaterial(SIMPLE);
    draw(*material, mesh, nullptr);
    EXPECT_TRUE(near(pixel(LEFT, TOP), {255, 255, 255, 255}));
    EXPECT_TRUE(near(pixel(LEFT, BOTTOM), {255, 255, 255, 255}));
    EXPECT_TRUE(near(pixel(RIGHT, BOTTOM), {255, 255, 255, 255}));
    EXPECT_TRUE(near(pixel(RIGHT - 8, TOP), {255, 255, 255, 255}));
    EXPECT_TRUE(near(pixel(SIZE - 2, SIZE - 2), {0, 0, 0, 255}));  // the cut corner
}

TEST_F(MaterialTest, TrailingPartialTriangleIsNotDrawn) {
    // The plane's two triangles and two more indices; nothing beyond them may be drawn.
    auto mesh = plane();
    unsigned short indices[] = {0, 3, 1, 1, 3, 2, 0, 2};
    mesh->setElements(sizeof indices, indices);
    if (SHADER_BUILD) {
        EXPECT_EQ(mesh->elementsBuffer->size, 12);
    }
    std::unique_ptr<Material> material = standardMaterial(SIMPLE);
    draw(*material, *mesh, nullptr);
    EXPECT_TRUE(near(pixel(SIZE / 2, SIZE / 2), {255, 255, 255, 255}));
    expectCleanState("after the draw");
}

TEST_F(MaterialTest, MissingMatricesAndUnbufferedMeshesAreRefusedBeforeAnyChange) {
    auto mesh = plane();
    std::unique_ptr<Mesh> unbuffered(Mesh::createPlane(Matrix4x4()));
    std::unique_ptr<Material> material = standardMaterial(GOURAUD);
    Matrix4x4 m;
    struct Case {
        const char* message;
        Matrix4x4* projection;
        Matrix4x4* view;
        Matrix4x4* model;
        Mesh* mesh;
    };
    std::vector<Case> cases = {
        {"Projection matrix is required", nullptr, &m, &m, mesh.get()},
        {"View matrix is required", &m, nullptr, &m, mesh.get()},
        {"Model matrix is required", &m, &m, nullptr, mesh.get()},
    };
    // The fixed-function build draws from the lists and needs no buffers.
    if (SHADER_BUILD) cases.push_back({"Cannot render not buffered mesh.", &m, &m, &m, unbuffered.get()});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        clear(0, 0, 0);
        EXPECT_EQ(thrownMessage([&] { material->render(c.projection, c.view, c.model, c.mesh, nullptr); }),
                  c.message);
        EXPECT_TRUE(near(pixel(SIZE / 2, SIZE / 2), {0, 0, 0, 255}));
        expectCleanState("after the refusal");
    }
}

#ifndef QUANDRELS_TEST_FIXED_BUILD

const char* const COLOR_VERTEX =
    "attribute vec3 v_coord;\nattribute vec4 v_color;\nuniform mat4 mvp;\nvarying vec4 f_color;\n"
    "void main() { f_color = v_color; gl_Position = mvp * vec4(v_coord, 1.0); }\n";
const char* const COLOR_FRAGMENT = "varying vec4 f_color;\nvoid main() { gl_FragColor = f_color; }\n";

TEST_F(MaterialTest, MeshesWithoutVerticesOrNeededColoursAreRefused) {
    Material material(new ShaderProgram(COLOR_VERTEX, COLOR_FRAGMENT));
    EXPECT_NE(material.v_color, -1);
    auto mesh = plane();
    Matrix4x4 m;
    EXPECT_EQ(thrownMessage([&] { material.render(&m, &m, &m, mesh.get(), nullptr); }),
              "Colors are required");
    expectCleanState("after colours were missing");

    float colors[] = {1, 0, 1, 1, 0, 1, 1, 0, 1, 1, 0, 1};
    mesh->setColors(sizeof colors, colors);
    material.render(&m, &m, &m, mesh.get(), nullptr);
    EXPECT_TRUE(near(pixel(SIZE / 2, SIZE / 2), {255, 0, 255, 255}));

    Mesh empty(GL_STATIC_DRAW);
    EXPECT_EQ(thrownMessage([&] { material.render(&m, &m, &m, &empty, nullptr); }), "Vertices are required");
    mesh->releaseBuffers();
    EXPECT_EQ(thrownMessage([&] { material.render(&m, &m, &m, mesh.get(), nullptr); }),
              "Vertices are required");
    expectCleanState("after vertices were missing");
}

TEST_F(MaterialTest, ProgramsWithoutTheRequiredNamesAreRefused) {
    const char* noCoord =
        "attribute vec3 position;\nuniform mat4 mvp;\nvoid main() { gl_Position = mvp * vec4(position, 1.0); "
        "}\n";
    const char* noMvp = "attribute vec3 v_coord;\nvoid main() { gl_Position = vec4(v_coord, 1.0); }\n";
    const char* white = "void main() { gl_FragColor = vec4(1.0); }\n";
    EXPECT_EQ(thrownMessage([&] { Material material(new ShaderProgram(noCoord, white)); }),
              "Could not bind attribute v_coord\n");
    EXPECT_EQ(thrownMessage([&] { Material material(new ShaderProgram(noMvp, white)); }),
              "Could not bind uniform mvp\n");
}

TEST_F(MaterialTest, OptionalNamesThatAreMissingStayUnset) {
    Material material(new ShaderProgram(COLOR_VERTEX, COLOR_FRAGMENT));
    for (int location :
         {material.v_normal, material.v_texcoord, material.m, material.m_3x3, material.v_inv,
          material.scene_ambient, material.mat_ambient, material.mat_diffuse, material.mat_specular,
          material.mat_shininess, material.lightsLocation, material.lights_count, material.is_textured,
          material.is_textured_f, material.texture}) {
        EXPECT_EQ(location, -1);
    }
    EXPECT_TRUE(material.depthTest);
    EXPECT_EQ(material.ambient, (Color{1, 1, 1, 1}));
    EXPECT_EQ(material.shininess, 5.0f);
    EXPECT_EQ(material.lightsCount, 0);
    EXPECT_EQ(material.lights, nullptr);
}

#endif

TEST_F(MaterialTest, NormalsAreComputedOnceAndOnlyWhenNeeded) {
    // The shader build computes them for a program with "v_normal" (the lit pair); the
    // fixed-function build when the draw is lit.
    float light[18] = {0, 0, 1, 0, 1, 1, 1, 0, 0, 0, 1, 0, 0, 180, 0, 0, 0, -1};
    struct Case {
        const char* name;
        int lightsCount;
        bool computes;
    };
    const std::vector<Case> cases = {
        {GOURAUD, 0, SHADER_BUILD},
        {GOURAUD, 1, true},
        {SIMPLE, 0, false},
        {ALPHA_TEST, 1, !SHADER_BUILD},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name) + ", lights " + std::to_string(c.lightsCount));
        auto mesh = plane();
        std::unique_ptr<Material> material = standardMaterial(c.name);
        material->lightsCount = c.lightsCount;
        material->lights = light;
        draw(*material, *mesh, nullptr);
        if (!c.computes) {
            EXPECT_EQ(mesh->normals, nullptr);
            EXPECT_EQ(mesh->normalsBuffer, nullptr);
            continue;
        }
        ASSERT_NE(mesh->normals, nullptr);
        ASSERT_EQ(mesh->normals->size(), 4);
        EXPECT_EQ(mesh->normals->at(0), Vector3(0, 0, 1));
        EXPECT_NE(mesh->normalsBuffer, nullptr);
        List<Vector3>* first = mesh->normals;
        mesh->normals->at(0) = Vector3(0, 1, 0);  // a recomputation would restore it
        draw(*material, *mesh, nullptr);
        EXPECT_EQ(mesh->normals, first);
        EXPECT_EQ(mesh->normals->at(0), Vector3(0, 1, 0));
    }
}

struct Light {
    float position[4];
    float diffuse[3];
    float specular[3];
    float attenuation[3];
    float cutoff;
    float exponent;
    float direction[3];
};
static_assert(sizeof(Light) == 18 * sizeof(float), "a light record is 18 floats");

const Light DIRECTIONAL_FRONT = {{0, 0, 1, 0}, {0.8f, 0.4f, 0.2f}, {0, 0, 0}, {1, 0, 0}, 180, 0, {0, 0, -1}};

struct LightCase {
    const char* label;
    std::vector<Light> lights;
    Color diffuse;
    Color specular;
    Matrix4x4 model;
    Rgba expected;  // at the centre of the window
};

TEST_F(MaterialTest, LightRecordsLightTheLitPairLikeTheFixedPipeline) {
    // Ambient 0.1 everywhere (scene ambient 1). The plane faces +z towards the viewer.
    const float root6 = std::sqrt(6.0f);
    const float pointLambert = 2 / root6;  // corners at (+-1, +-1, 0), light at (0, 0, 2)
    const float pointAttenuation = 1 / (1 + 0.5f * root6);
    Matrix4x4 tilted = Matrix4x4::rotation(Vector3(1, 0, 0), -60);  // normal (0, 0.87, 0.5)
    const std::vector<LightCase> cases = {
        {"directional",
         {DIRECTIONAL_FRONT},
         {1, 1, 1, 1},
         {1, 1, 1, 1},
         {},
         {byte(0.9f), byte(0.5f), byte(0.3f), 255}},
        {"directional, tilted plane",
         {DIRECTIONAL_FRONT},
         {1, 1, 1, 1},
         {1, 1, 1, 1},
         tilted,
         {byte(0.5f), byte(0.3f), byte(0.2f), 255}},
        {"material diffuse",
         {DIRECTIONAL_FRONT},
         {0.5f, 1, 0, 1},
         {1, 1, 1, 1},
         {},
         {byte(0.5f), byte(0.5f), byte(0.1f), 255}},
        {"two lights",
         {{{0, 0, 1, 0}, {0.5f, 0, 0}, {0, 0, 0}, {1, 0, 0}, 180, 0, {0, 0, -1}},
          {{0, 0, 1, 0}, {0, 0.25f, 0}, {0, 0, 0}, {1, 0, 0}, 180, 0, {0, 0, -1}}},
         {1, 1, 1, 1},
         {1, 1, 1, 1},
         {},
         {byte(0.6f), byte(0.35f), byte(0.1f), 255}},
        {"light from behind",
         {{{0, 0, -1, 0}, {1, 1, 1}, {1, 1, 1}, {1, 0, 0}, 180, 0, {0, 0, 1}}},
         {1, 1, 1, 1},
         {1, 1, 1, 1},
         {},
         {byte(0.1f), byte(0.1f), byte(0.1f), 255}},
        {"specular highlight",
         {{{0, 0, 1, 0}, {0.2f, 0.2f, 0.2f}, {1, 1, 1}, {1, 0, 0}, 180, 0, {0, 0, -1}}},
         {1, 1, 1, 1},
         {0.5f, 0.25f, 0, 1},
         {},
         {byte(0.8f), byte(0.55f), byte(0.3f), 255}},
        {"point light with attenuation",
         {{{0, 0, 2, 1}, {1, 1, 1}, {0, 0, 0}, {1, 0.5f, 0}, 180, 0, {0, 0, -1}}},
         {0.5f, 0.5f, 0.5f, 1},
         {1, 1, 1, 1},
         {},
         {byte(0.1f + 0.5f * pointLambert * pointAttenuation),
          byte(0.1f + 0.5f * pointLambert * pointAttenuation),
          byte(0.1f + 0.5f * pointLambert * pointAttenuation), 255}},
        {"spot wide enough",
         {{{0, 0, 2, 1}, {1, 1, 1}, {0, 0, 0}, {1, 0, 0}, 45, 0, {0, 0, -1}}},
         {0.5f, 0.5f, 0.5f, 1},
         {1, 1, 1, 1},
         {},
         {byte(0.1f + 0.5f * pointLambert), byte(0.1f + 0.5f * pointLambert),
          byte(0.1f + 0.5f * pointLambert), 255}},
        {"spot too narrow for the corners",
         {{{0, 0, 2, 1}, {1, 1, 1}, {0, 0, 0}, {1, 0, 0}, 10, 0, {0, 0, -1}}},
         {0.5f, 0.5f, 0.5f, 1},
         {1, 1, 1, 1},
         {},
         {byte(0.1f), byte(0.1f), byte(0.1f), 255}},
    };
    auto mesh = plane();
    for (const LightCase& c : cases) {
        SCOPED_TRACE(c.label);
        clear(0, 0, 0);
        std::unique_ptr<Material> material = standardMaterial(GOURAUD);
        material->sceneAmbient = Color{1, 1, 1, 1};
        material->ambient = Color{0.1f, 0.1f, 0.1f, 1};
        material->diffuse = c.diffuse;
        material->specular = c.specular;
        material->shininess = 5;
        std::vector<Light> table = c.lights;
        material->lightsCount = static_cast<int>(table.size());
        material->lights = reinterpret_cast<float*>(table.data());
        Scene scene;
        scene.model = c.model;
        draw(*material, *mesh, nullptr, scene);
        EXPECT_TRUE(near(pixel(SIZE / 2, SIZE / 2), c.expected));
        expectCleanState(c.label);
    }
}

TEST_F(MaterialTest, LitTexturedDrawModulatesTheLitColour) {
    auto texture =
        quadrantTexture({255, 255, 255, 255}, {255, 0, 0, 255}, {0, 255, 0, 255}, {0, 0, 255, 255}, false);
    auto mesh = plane();
    std::unique_ptr<Material> material = standardMaterial(GOURAUD);
    material->ambient = Color{0.1f, 0.1f, 0.1f, 1};
    Light light = DIRECTIONAL_FRONT;
    material->lightsCount = 1;
    material->lights = reinterpret_cast<float*>(&light);
    draw(*material, *mesh, texture.get());
    EXPECT_TRUE(near(pixel(LEFT, TOP), {byte(0.9f), byte(0.5f), byte(0.3f), 255}));
    EXPECT_TRUE(near(pixel(RIGHT, TOP), {byte(0.9f), 0, 0, 255}));
    EXPECT_TRUE(near(pixel(LEFT, BOTTOM), {0, byte(0.5f), 0, 255}));
    expectCleanState("after the draw");
}

}  // namespace
