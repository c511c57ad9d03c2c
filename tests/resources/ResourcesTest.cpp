// The registry: one entry per name, lazy loading, where bytes come from, its messages and
// what releasing does. Sounds and raw loads need no GL context.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "audio/AudioFixtures.h"
#include "audio/Sound.h"
#include "core/Buffer.h"
#include "render/Material.h"
#include "resources/Resources.h"
#include "support/PackBuilder.h"
#include "support/RegistryFixture.h"
#include "support/Thrown.h"

namespace {

std::string contentOf(Buffer* buffer) {
    std::string bytes(reinterpret_cast<char*>(buffer->data), static_cast<size_t>(buffer->size));
    delete buffer;
    return bytes;
}

std::string monoWav(int16_t level) {
    std::vector<unsigned char> bytes =
        audiotest::riffWav(1, 22050, 16, audiotest::bytesOf(std::vector<int16_t>(64, level)));
    return std::string(bytes.begin(), bytes.end());
}

using ResourcesTest = RegistryFixture;

TEST_F(ResourcesTest, OneEntryPerNameAcrossRequests) {
    SoundResource* sound = Resources::getSoundResource("pau.wav");
    EXPECT_EQ(Resources::getSoundResource("pau.wav"), sound);
    TextureResource* texture = Resources::getTextureResource("lava.png", 1, 0xFF000000UL);
    // A later request's filtering and colour key are ignored.
    EXPECT_EQ(Resources::getTextureResource("lava.png", 0, 0x0000FF), texture);
    EXPECT_EQ(texture->filtering, 1);
    EXPECT_EQ(texture->colorKey, 0xFF000000UL);
    EXPECT_EQ(Resources::getResource("lava.png"), texture);
    EXPECT_EQ(Resources::getResource("missing.png"), nullptr);
    ASSERT_EQ(Resources::resources.size(), 2);
    EXPECT_EQ(Resources::resources.get(0), sound);
    // Nothing is loaded by a request.
    EXPECT_EQ(sound->sound, nullptr);
    EXPECT_EQ(texture->texture, nullptr);
}

TEST_F(ResourcesTest, InitRegistersTheThreeStandardMaterialsWithoutLoading) {
    Resources::init();
    ASSERT_NE(Resources::DEFAULT_MATERIAL, nullptr);
    EXPECT_STREQ(Resources::DEFAULT_MATERIAL->name, "uv/gouraud-shading.v.glsl:uv/gouraud-shading.f.glsl");
    EXPECT_STREQ(Resources::SIMPLE_TEXTURED_MATERIAL->name,
                 "uv/simple-textured.v.glsl:uv/simple-textured.f.glsl");
    EXPECT_STREQ(Resources::TEXTURED_ALPHA_GT_0_5_MATERIAL->name,
                 "uv/textured-gt-0-5.v.glsl:uv/textured-gt-0-5.f.glsl");
    EXPECT_EQ(Resources::resources.size(), 3);
    EXPECT_EQ(Resources::DEFAULT_MATERIAL->material, nullptr);
    // Only the alpha-test pair keeps fragments of alpha above 0.5 alone.
    EXPECT_FALSE(Resources::DEFAULT_MATERIAL->alphaAboveHalf);
    EXPECT_FALSE(Resources::SIMPLE_TEXTURED_MATERIAL->alphaAboveHalf);
    EXPECT_TRUE(Resources::TEXTURED_ALPHA_GT_0_5_MATERIAL->alphaAboveHalf);
}

TEST_F(ResourcesTest, ReleaseDeletesEveryEntry) {
    Resources::init();
    Resources::getSoundResource("pau.wav");
    Resources::release();
    EXPECT_EQ(Resources::resources.size(), 0);
    EXPECT_EQ(Resources::getResource("pau.wav"), nullptr);
    EXPECT_EQ(Resources::getResource("uv/gouraud-shading.v.glsl:uv/gouraud-shading.f.glsl"), nullptr);
    EXPECT_EQ(Resources::DEFAULT_MATERIAL, nullptr);
}

TEST_F(ResourcesTest, WithoutAPackTheDataFolderIsTheSource) {
    dataFile("sub/notes.txt", "loose bytes");
    EXPECT_EQ(contentOf(Resources::load("sub/notes.txt")), "loose bytes");
    EXPECT_EQ(thrownMessage([] { Resources::load("pau.wav"); }), std::string("Can't load data/pau.wav\n"));
}

TEST_F(ResourcesTest, APackIsTheOnlySourceWhenItExists) {
    dataFile("loose.txt", "only on disk");
    dataFile("both.txt", "disk copy");
    packFile(PackBytes::build({PackBytes::file("both.txt", "packed copy"),
                               PackBytes::directory("dir", {PackBytes::file("inner.txt", "nested")})}));
    EXPECT_EQ(contentOf(Resources::load("both.txt")), "packed copy");
    EXPECT_EQ(contentOf(Resources::load("dir/inner.txt")), "nested");
    EXPECT_EQ(thrownMessage([] { Resources::load("loose.txt"); }),
              std::string("Cannot open file loose.txt\n"));
}

TEST_F(ResourcesTest, PackFailuresHaveTheirOwnMessages) {
    struct Case {
        const char* what;
        std::string pack;
        const char* name;
        std::string message;
    };
    PackBytes::Entry broken = PackBytes::file("broken.bin", "");
    broken.stored = "this is not a zlib stream";
    const Case cases[] = {
        {"not a pack", "garbage", "a.txt", "Archive Quandrels.dat cannot be open\n"},
        {"empty file", "", "a.txt", "Archive Quandrels.dat cannot be open\n"},
        {"directory, not a file", PackBytes::build({PackBytes::directory("dir")}), "dir",
         "Cannot open file dir\n"},
        {"entry does not inflate", PackBytes::build({broken}), "broken.bin", "Cannot open file broken.bin\n"},
        {"password needed", PackBytes::build({PackBytes::file("a.txt", "x")}, true, "secret"), "a.txt", ""},
    };
    for (const Case& c : cases) {
        packFile(c.pack);
        std::string message = thrownMessage([&] { contentOf(Resources::load(c.name)); });
        EXPECT_EQ(message, c.message) << c.what;
    }
}

TEST_F(ResourcesTest, ASoundLoadsOnceAndAgainAfterReleaseData) {
    dataFile("pau.wav", monoWav(1000));
    SoundResource* entry = Resources::getSoundResource("pau.wav");
    Sound* first = entry->getSound();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->length, 64);
    EXPECT_EQ(entry->getSound(), first);

    Resources::releaseData();
    EXPECT_EQ(entry->sound, nullptr);
    EXPECT_EQ(first->data, nullptr);  // the samples are freed; the player still owns the object
    EXPECT_EQ(Resources::getResource("pau.wav"), entry);

    dataFile("pau.wav", monoWav(2000));
    Sound* second = entry->getSound();
    ASSERT_NE(second, nullptr);
    EXPECT_NE(second->data, nullptr);
    EXPECT_EQ(second->data[0], 2000);
}

// A file that cannot be decoded gives a silent sound, which the audio player never adopts:
// releasing the entry deletes it (the leak checker of the sanitizer build sees it otherwise),
// and the next use tries the file again.
TEST_F(ResourcesTest, ASoundThatCannotBeDecodedIsSilentAndFreedOnRelease) {
    std::string cut = monoWav(1000);
    cut.resize(cut.size() / 2);
    dataFile("cut.wav", cut);
    SoundResource* entry = Resources::getSoundResource("cut.wav");
    Sound* silent = entry->getSound();
    ASSERT_NE(silent, nullptr);
    EXPECT_EQ(silent->data, nullptr);
    EXPECT_EQ(silent->length, 0);
    Resources::releaseData();
    EXPECT_EQ(entry->sound, nullptr);

    dataFile("cut.wav", monoWav(3000));
    Sound* whole = entry->getSound();
    ASSERT_NE(whole, nullptr);
    ASSERT_NE(whole->data, nullptr);
    EXPECT_EQ(whole->data[0], 3000);
}

TEST_F(ResourcesTest, AFailedLoadLeavesTheEntryUnloadedForALaterTry) {
    SoundResource* entry = Resources::getSoundResource("late.wav");
    EXPECT_EQ(thrownMessage([&] { entry->getSound(); }), std::string("Can't load data/late.wav\n"));
    EXPECT_EQ(entry->sound, nullptr);
    dataFile("late.wav", monoWav(5));
    EXPECT_NE(entry->getSound(), nullptr);
}

TEST_F(ResourcesTest, MaterialNamesAreAVertexFragmentPair) {
    struct Case {
        const char* name;
        std::string message;
    };
    const Case cases[] = {
        {"no-colon.glsl", "Incomplete material names: no-colon.glsl"},
        {"vertex.glsl:", "Incomplete material names: vertex.glsl:"},
        {":fragment.glsl", "Incomplete material names: :fragment.glsl"},
        // Both names are loaded, the vertex shader first; text after a second ':' is ignored.
        {"a.v.glsl:b.f.glsl:extra", "Can't load data/a.v.glsl\n"},
    };
    for (const Case& c : cases) {
        MaterialResource* entry = Resources::getMaterialResource(c.name);
        EXPECT_EQ(thrownMessage([&] { entry->getMaterial(); }), c.message) << c.name;
        EXPECT_EQ(entry->material, nullptr);
    }
    dataFile("a.v.glsl", "void main() {}");
    EXPECT_EQ(thrownMessage([] { Resources::getMaterialResource("a.v.glsl:b.f.glsl:extra")->getMaterial(); }),
              std::string("Can't load data/b.f.glsl\n"));
}

#ifdef QUANDRELS_TEST_FIXED_BUILD
// The fixed-function build loads both shader sources but compiles nothing, so a material
// can be built without a GL context.
TEST_F(ResourcesTest, FixedBuildMaterialsLoadBothSourcesAndCacheTheMaterial) {
    dataFile("v.glsl", "vertex");
    dataFile("f.glsl", "fragment");
    MaterialResource* entry = Resources::getMaterialResource("v.glsl:f.glsl:ignored");
    Material* material = entry->getMaterial();
    ASSERT_NE(material, nullptr);
    EXPECT_EQ(entry->getMaterial(), material);
    EXPECT_FALSE(material->alphaAboveHalf);
    Resources::releaseData();
    EXPECT_EQ(entry->material, nullptr);
    // The entry's alpha test goes to every material it loads, the first and a reloaded one.
    entry->alphaAboveHalf = true;
    EXPECT_TRUE(entry->getMaterial()->alphaAboveHalf);
}
#endif

TEST_F(ResourcesTest, ANameRequestedAsAnotherKindIsRefused) {
    Resources::getSoundResource("thing");
    EXPECT_EQ(thrownMessage([] { Resources::getMeshResource("thing"); }),
              std::string("Resource thing was requested as another kind\n"));
    EXPECT_EQ(Resources::resources.size(), 1);
}

}  // namespace
