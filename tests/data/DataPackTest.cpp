// The game's pack as the programs read it: every name of the data set comes out of
// build/Quandrels.dat through the registry and becomes the object the game asks for.
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

#include "audio/Sound.h"
#include "data/DataSetNames.h"
#include "render/Material.h"
#include "render/Mesh.h"
#include "render/Texture.h"
#include "resources/Resources.h"
#include "storage/Archive.h"
#include "support/GLWindow.h"
#include "support/RunProcess.h"
#include "support/Thrown.h"
#include "support/WorkingDirectory.h"

namespace {

bool endsWith(const std::string& s, const std::string& tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

bool isBlended(const std::string& name) {
    for (const char* blended : datatest::BLENDED) {
        if (name == blended) return true;
    }
    return false;
}

class DataPackTest : public testing::Test {
protected:
    WorkingDirectoryGuard cwd;

    void SetUp() override {
        ASSERT_EQ(chdir(QUANDRELS_BINARY_DIR), 0);
        Resources::release();
        Resources::archive = "Quandrels.dat";
        Resources::password = "";
    }
    void TearDown() override {
        Resources::release();
        Resources::archive = "data.dat";
    }
};

TEST_F(DataPackTest, EveryNameIsInThePackAndVerifies) {
    Archive pack;
    ASSERT_EQ(pack.openPackFile("Quandrels.dat", ""), 0);
    for (const char* name : datatest::DATA_SET) {
        PK_FILE entry;
        EXPECT_TRUE(pack.openFile(&entry, name)) << name;
    }
    for (const char* shader :
         {"uv/gouraud-shading.v.glsl", "uv/gouraud-shading.f.glsl", "uv/simple-textured.v.glsl",
          "uv/simple-textured.f.glsl", "uv/textured-gt-0-5.v.glsl", "uv/textured-gt-0-5.f.glsl"}) {
        PK_FILE entry;
        EXPECT_TRUE(pack.openFile(&entry, shader)) << shader;
    }
    pack.closePackFile();

    ProcessResult verify =
        runProcess({std::string(QUANDRELS_BINARY_DIR) + "/quandrels-pack", "verify", "Quandrels.dat"});
    EXPECT_EQ(verify.status, 0) << verify.out << verify.err;
}

TEST_F(DataPackTest, EveryResourceLoadsAsTheGameUsesIt) {
    GLWindow gl;
    Resources::init();
    for (const char* name : datatest::DATA_SET) {
        SCOPED_TRACE(name);
        std::string n(name);
        if (endsWith(n, ".png")) {
            Texture* texture = nullptr;
            EXPECT_EQ(thrownMessage([&] {
                          texture =
                              Resources::getTextureResource(name, 1, Texture::NO_COLOR_KEY)->getTexture();
                      }),
                      "");
            ASSERT_NE(texture, nullptr);
            if (isBlended(n)) {
                EXPECT_TRUE(texture->hasAlpha) << "drawn with colour alpha or transparent parts";
            }
        } else if (endsWith(n, ".wav")) {
            Sound* sound = Resources::getSoundResource(name)->getSound();
            ASSERT_NE(sound, nullptr);
            EXPECT_NE(sound->data, nullptr) << "rejected by the mixer's WAV loader";
            EXPECT_GT(sound->length, 0);
        } else if (endsWith(n, ".obj")) {
            Mesh* mesh = nullptr;
            EXPECT_EQ(thrownMessage([&] { mesh = Resources::getMeshResource(name)->getMesh(); }), "");
            ASSERT_NE(mesh, nullptr);
            ASSERT_NE(mesh->vertices, nullptr);
            ASSERT_NE(mesh->texcoords, nullptr);
            EXPECT_EQ(mesh->texcoords->size(), mesh->vertices->size());
            ASSERT_NE(mesh->elements, nullptr);
            EXPECT_GT(mesh->triangleCount(), 0);
        }
    }
    // The three standard materials compile and link (the fixed-function build loads their
    // sources and compiles nothing).
    for (MaterialResource* material : {Resources::DEFAULT_MATERIAL, Resources::SIMPLE_TEXTURED_MATERIAL,
                                       Resources::TEXTURED_ALPHA_GT_0_5_MATERIAL}) {
        SCOPED_TRACE(material->name);
        EXPECT_EQ(thrownMessage([&] { material->getMaterial(); }), "");
        EXPECT_NE(material->material, nullptr);
    }
}

}  // namespace
