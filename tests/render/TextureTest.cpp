// Textures from PNG bytes: truecolour upload, colour keys, refusals, and drawing with one.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "render/Texture.h"
#include "support/Bytes.h"
#include "support/GLWindow.h"
#include "support/Png.h"
#include "support/Thrown.h"

namespace {

std::unique_ptr<Buffer> bufferOf(const std::string& bytes) {
    auto buffer = std::make_unique<Buffer>();
    fill(*buffer, bytes);
    return buffer;
}

// The texture's level 0 as tightly packed bytes of `format`.
std::vector<uint8_t> readTexture(const Texture& texture, GLenum format, int width, int height) {
    std::vector<uint8_t> out(static_cast<size_t>(width) * height * (format == GL_RGBA ? 4 : 3));
    glBindTexture(GL_TEXTURE_2D, texture.id);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, format, GL_UNSIGNED_BYTE, out.data());
    return out;
}

GLint textureParameter(GLenum name) {
    GLint value = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, name, &value);
    return value;
}

GLint internalFormat(const Texture& texture) {
    glBindTexture(GL_TEXTURE_2D, texture.id);
    GLint value = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_INTERNAL_FORMAT, &value);
    return value;
}

std::string thrownBy(const std::string& bytes, unsigned long key = Texture::NO_COLOR_KEY) {
    auto image = bufferOf(bytes);
    return thrownMessage([&] { Texture texture(image.get(), 1, key); });
}

class TextureTest : public testing::Test {
protected:
    GLWindow window{64, 64};
};

struct TruecolorCase {
    const char* label;
    png::ColorType type;
    int width, height;
    std::vector<uint8_t> pixels;
    bool hasAlpha;
    GLenum format;
};

TEST_F(TextureTest, TruecolorImagesAreUploadedAsTheyAre) {
    // Width 3 gives 9-byte RGB rows, which the decoder pads to 12: the upload must agree.
    const std::vector<TruecolorCase> cases = {
        {"24-bit",
         png::RGB,
         3,
         2,
         {255, 0, 0, 0, 255, 0, 0, 0, 255, 10, 20, 30, 40, 50, 60, 70, 80, 90},
         false,
         GL_RGB},
        {"32-bit",
         png::RGBA,
         3,
         2,
         {255, 0, 0, 255, 0, 255, 0, 128, 0, 0, 255, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12},
         true,
         GL_RGBA},
        {"32-bit, one pixel", png::RGBA, 1, 1, {9, 8, 7, 6}, true, GL_RGBA},
    };
    for (const TruecolorCase& c : cases) {
        SCOPED_TRACE(c.label);
        auto image = bufferOf(png::encode(c.width, c.height, c.type, c.pixels));
        Texture texture(image.get(), 1, Texture::NO_COLOR_KEY);
        EXPECT_EQ(texture.hasAlpha, c.hasAlpha);
        EXPECT_NE(texture.id, 0u);
        EXPECT_EQ(internalFormat(texture), static_cast<GLint>(c.format));
        EXPECT_EQ(readTexture(texture, c.format, c.width, c.height), c.pixels);
    }
}

TEST_F(TextureTest, LeavesTheTextureBoundAndTexturingOff) {
    auto image = bufferOf(png::encode(1, 1, png::RGB, {1, 2, 3}));
    glBindTexture(GL_TEXTURE_2D, 0);
    Texture texture(image.get(), 1, Texture::NO_COLOR_KEY);
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(static_cast<GLuint>(bound), texture.id);
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));

    glBindTexture(GL_TEXTURE_2D, 0);
    texture.bind();
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(static_cast<GLuint>(bound), texture.id);
}

TEST_F(TextureTest, FilteringSelectsNearestOrLinear) {
    auto image = bufferOf(png::encode(1, 1, png::RGB, {1, 2, 3}));
    const std::vector<std::pair<unsigned char, GLint>> cases = {{0, GL_NEAREST}, {1, GL_LINEAR}};
    for (const auto& [filtering, expected] : cases) {
        SCOPED_TRACE(static_cast<int>(filtering));
        Texture texture(image.get(), filtering, Texture::NO_COLOR_KEY);
        EXPECT_EQ(textureParameter(GL_TEXTURE_MIN_FILTER), expected);
        EXPECT_EQ(textureParameter(GL_TEXTURE_MAG_FILTER), expected);
    }
}

TEST_F(TextureTest, DestructorDeletesTheTexture) {
    auto image = bufferOf(png::encode(1, 1, png::RGB, {1, 2, 3}));
    auto* texture = new Texture(image.get(), 1, Texture::NO_COLOR_KEY);
    GLuint id = texture->id;
    EXPECT_TRUE(glIsTexture(id));
    delete texture;
    EXPECT_FALSE(glIsTexture(id));
}

struct KeyCase {
    const char* label;
    png::ColorType type;
    int width, height;
    std::vector<uint8_t> pixels;
    unsigned long key;
    std::vector<uint8_t> expected;  // RGBA
};

TEST_F(TextureTest, ColorKeyKeepsOnlyTheKeyColourOpaque) {
    const std::vector<KeyCase> cases = {
        {"pure red 0x0000FF",
         png::RGB,
         3,
         1,
         {255, 0, 0, 0, 255, 0, 255, 0, 0},
         0x0000FF,
         {255, 0, 0, 255, 0, 255, 0, 0, 255, 0, 0, 255}},
        // The key is 0x00BBGGRR: red in the low byte, so the reversed colour stays clear.
        {"byte order",
         png::RGB,
         2,
         1,
         {0x11, 0x22, 0x33, 0x33, 0x22, 0x11},
         0x332211,
         {0x11, 0x22, 0x33, 255, 0x33, 0x22, 0x11, 0}},
        {"padded rows",
         png::RGB,
         3,
         2,
         {9, 9, 9, 1, 2, 3, 9, 9, 9, 1, 2, 3, 9, 9, 9, 1, 2, 3},
         0x030201,
         {9, 9, 9, 0, 1, 2, 3, 255, 9, 9, 9, 0, 1, 2, 3, 255, 9, 9, 9, 0, 1, 2, 3, 255}},
        // A 32-bit image is read pixel by pixel at its own size; its own alpha is replaced.
        {"32-bit source",
         png::RGBA,
         2,
         2,
         {255, 0, 0, 7, 0, 0, 255, 255, 0, 0, 255, 0, 255, 0, 0, 0},
         0x0000FF,
         {255, 0, 0, 255, 0, 0, 255, 0, 0, 0, 255, 0, 255, 0, 0, 255}},
    };
    for (const KeyCase& c : cases) {
        SCOPED_TRACE(c.label);
        auto image = bufferOf(png::encode(c.width, c.height, c.type, c.pixels));
        Texture texture(image.get(), 1, c.key);
        EXPECT_TRUE(texture.hasAlpha);
        EXPECT_EQ(internalFormat(texture), GL_RGBA);
        EXPECT_EQ(readTexture(texture, GL_RGBA, c.width, c.height), c.expected);
    }
}

TEST_F(TextureTest, ShownTexelsBoxTheTexelsWhoseAlphaIsNotZero) {
    struct Case {
        const char* label;
        png::ColorType type;
        int width, height;
        std::vector<uint8_t> pixels;
        unsigned long key;
        Rect shown;
    };
    // 4 x 3 RGBA images, all clear but for the marked texels.
    auto clearWith = [](std::vector<std::pair<int, uint8_t>> alphas) {
        std::vector<uint8_t> pixels(4 * 3 * 4, 200);
        for (size_t i = 3; i < pixels.size(); i += 4) pixels[i] = 0;
        for (auto [texel, alpha] : alphas) pixels[static_cast<size_t>(texel) * 4 + 3] = alpha;
        return pixels;
    };
    const std::vector<Case> cases = {
        {"no alpha: the whole image", png::RGB, 3, 2, std::vector<uint8_t>(18, 5), Texture::NO_COLOR_KEY,
         Rect{0, 0, 3, 2}},
        {"one faint texel", png::RGBA, 4, 3, clearWith({{6, 1}}), Texture::NO_COLOR_KEY, Rect{2, 1, 1, 1}},
        {"two corners", png::RGBA, 4, 3, clearWith({{1, 255}, {8, 9}}), Texture::NO_COLOR_KEY,
         Rect{0, 0, 2, 3}},
        {"all clear", png::RGBA, 4, 3, clearWith({}), Texture::NO_COLOR_KEY, Rect{}},
        // With a key only the key's pixels are opaque: here the last pixel of the first row.
        {"colour key",
         png::RGB,
         3,
         2,
         {1, 1, 1, 1, 1, 1, 9, 9, 9, 1, 1, 1, 1, 1, 1, 1, 1, 1},
         0x090909,
         Rect{2, 0, 1, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        auto image = bufferOf(png::encode(c.width, c.height, c.type, c.pixels));
        Texture texture(image.get(), 1, c.key);
        EXPECT_EQ(texture.width, c.width);
        EXPECT_EQ(texture.height, c.height);
        EXPECT_EQ(texture.shownTexels, c.shown);
    }
}

TEST_F(TextureTest, RefusesImagesWithoutRgbSamples) {
    std::string palette = png::encode(2, 2, png::PALETTE, {0, 1, 1, 0}, {255, 0, 0, 0, 0, 255});
    std::string grey = png::encode(2, 1, png::GREY, {0, 200});
    EXPECT_EQ(thrownBy(palette), "Image is not truecolor\n");
    EXPECT_EQ(thrownBy(grey), "Image is not truecolor\n");
    // With a key the image would otherwise be read as 3 bytes per pixel, past its end.
    EXPECT_EQ(thrownBy(palette, 0x0000FF), "Image is not truecolor\n");
    EXPECT_EQ(thrownBy(grey, 0x0000FF), "Image is not truecolor\n");
}

TEST_F(TextureTest, UndecodableBytesReportTheDecoderError) {
    std::string valid = png::encode(2, 2, png::RGB, std::vector<uint8_t>(12, 7));
    const std::vector<std::pair<const char*, std::string>> cases = {
        {"text", "this is not an image"},
        {"truncated", valid.substr(0, valid.size() / 2)},
        {"empty", ""},
    };
    for (const auto& [label, bytes] : cases) {
        SCOPED_TRACE(label);
        std::string message = thrownBy(bytes);
        EXPECT_EQ(message.rfind("Couldn't load image: ", 0), 0u) << message;
        ASSERT_FALSE(message.empty());
        EXPECT_EQ(message.back(), '\n');
        EXPECT_GT(message.size(), std::string("Couldn't load image: \n").size()) << "no reason given";
    }
}

TEST_F(TextureTest, DrawsOntoTheScreen) {
    // Red on the left, blue on the right, stretched over the whole 64 x 64 window.
    auto image = bufferOf(png::encode(2, 1, png::RGB, {255, 0, 0, 0, 0, 255}));
    Texture texture(image.get(), 0, Texture::NO_COLOR_KEY);

    glViewport(0, 0, 64, 64);
    glClearColor(0, 1, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glEnable(GL_TEXTURE_2D);
    texture.bind();
    glColor4f(1, 1, 1, 1);
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0);
    glVertex2f(-1, -1);
    glTexCoord2f(1, 0);
    glVertex2f(1, -1);
    glTexCoord2f(1, 1);
    glVertex2f(1, 1);
    glTexCoord2f(0, 1);
    glVertex2f(-1, 1);
    glEnd();
    glDisable(GL_TEXTURE_2D);
    glFinish();

    uint8_t left[4] = {};
    uint8_t right[4] = {};
    glReadPixels(16, 32, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, left);
    glReadPixels(48, 32, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, right);
    EXPECT_EQ(std::vector<uint8_t>(left, left + 3), (std::vector<uint8_t>{255, 0, 0}));
    EXPECT_EQ(std::vector<uint8_t>(right, right + 3), (std::vector<uint8_t>{0, 0, 255}));
}

}  // namespace
