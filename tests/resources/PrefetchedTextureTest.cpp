// Textures from pictures decoded ahead on a worker are the ones the registry makes without,
// and a damaged or missing picture fails with the registry's usual message.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "core/List.h"
#include "render/Texture.h"
#include "resources/Resources.h"
#include "support/GLWindow.h"
#include "support/Png.h"
#include "support/RegistryFixture.h"
#include "support/Thrown.h"

namespace {

std::string picture(int width, int height, png::ColorType type, uint8_t seed) {
    const int channels = type == png::RGBA ? 4 : 3;
    std::vector<uint8_t> samples(static_cast<size_t>(width) * height * channels);
    for (size_t i = 0; i < samples.size(); i++) samples[i] = static_cast<uint8_t>(seed + 37 * i);
    return png::encode(width, height, type, samples);
}

List<const char*> namesOf(std::initializer_list<const char*> names) {
    List<const char*> list;
    for (const char* name : names) list.add(name);
    return list;
}

// The texture's level 0 as RGBA bytes.
std::vector<uint8_t> texels(const Texture* texture) {
    std::vector<uint8_t> out(static_cast<size_t>(texture->width) * texture->height * 4);
    glBindTexture(GL_TEXTURE_2D, texture->id);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, out.data());
    return out;
}

class PrefetchedTextureTest : public RegistryFixture {
protected:
    GLWindow window{64, 64};
};

TEST_F(PrefetchedTextureTest, TexturesAreTheSameWithAndWithoutPrefetching) {
    struct Case {
        const char* name;
        std::string bytes;
        unsigned long colorKey;
    };
    // Odd widths: RGB rows that need padding; a colour key (the first pixel's colour): the
    // conversion after decoding.
    const std::vector<Case> cases = {
        {"alpha.png", picture(5, 3, png::RGBA, 10), Texture::NO_COLOR_KEY},
        {"rgb.png", picture(7, 3, png::RGB, 20), Texture::NO_COLOR_KEY},
        {"keyed.png", picture(3, 2, png::RGB, 30), 0x0068431EUL},
    };
    List<const char*> names;
    for (const Case& c : cases) {
        dataFile(c.name, c.bytes);
        names.add(c.name);
    }
    Resources::prefetchPictures(names);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Texture* prefetched = Resources::getTextureResource(c.name, 1, c.colorKey)->getTexture();
        Buffer bytes;
        bytes.write(c.bytes.data(), static_cast<int>(c.bytes.size()));
        Texture direct(&bytes, 1, c.colorKey);
        EXPECT_EQ(prefetched->width, direct.width);
        EXPECT_EQ(prefetched->height, direct.height);
        EXPECT_EQ(prefetched->hasAlpha, direct.hasAlpha);
        EXPECT_EQ(prefetched->shownTexels, direct.shownTexels);
        EXPECT_EQ(texels(prefetched), texels(&direct));
    }
}

TEST_F(PrefetchedTextureTest, DamagedAndMissingPicturesFailWithTheUsualMessages) {
    dataFile("damaged.png", "not a PNG file");
    Resources::prefetchPictures(namesOf({"damaged.png", "missing.png"}));
    const std::string damaged = thrownMessage(
        [] { Resources::getTextureResource("damaged.png", 1, Texture::NO_COLOR_KEY)->getTexture(); });
    EXPECT_EQ(damaged.rfind("Couldn't load image: ", 0), 0u) << damaged;
    EXPECT_EQ(thrownMessage([] {
                  Resources::getTextureResource("missing.png", 1, Texture::NO_COLOR_KEY)->getTexture();
              }),
              "Can't load data/missing.png\n");
}

}  // namespace
