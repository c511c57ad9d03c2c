#include "resources/Resources.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <typeinfo>

#include "audio/Sound.h"
#include "core/Buffer.h"
#include "core/Fail.h"
#include "render/Mesh.h"
#include "render/ShaderProgram.h"
#include "render/Texture.h"
#include "storage/Archive.h"
#include "storage/File.h"

const char* Resources::archive = "data.dat";
const char* Resources::password = "";
List<Resource*> Resources::resources;
MaterialResource* Resources::DEFAULT_MATERIAL = nullptr;
MaterialResource* Resources::SIMPLE_TEXTURED_MATERIAL = nullptr;
MaterialResource* Resources::TEXTURED_ALPHA_GT_0_5_MATERIAL = nullptr;

namespace {

// The entry of `name`, created with `make` when there is none. Asking for a name as a
// different kind than it was registered as is refused instead of handing out a wrong type.
template <typename Kind, typename Make>
Kind* entry(const char* name, Make make) {
    Resource* existing = Resources::getResource(name);
    if (!existing) {
        Kind* created = make();
        Resources::resources.add(created);
        return created;
    }
    Kind* same = dynamic_cast<Kind*>(existing);
    if (!same) fail("Resource %s was requested as another kind\n", name);
    return same;
}

// A NUL-terminated copy of a buffer's bytes (shader sources are not terminated in files).
char* textOf(const Buffer* buffer) {
    char* text = static_cast<char*>(malloc(static_cast<size_t>(buffer->size) + 1));
    if (buffer->size > 0) memcpy(text, buffer->data, static_cast<size_t>(buffer->size));
    text[buffer->size] = '\0';
    return text;
}

}  // namespace

void Resources::init() {
    DEFAULT_MATERIAL = getMaterialResource("uv/gouraud-shading.v.glsl:uv/gouraud-shading.f.glsl");
    SIMPLE_TEXTURED_MATERIAL = getMaterialResource("uv/simple-textured.v.glsl:uv/simple-textured.f.glsl");
    TEXTURED_ALPHA_GT_0_5_MATERIAL =
        getMaterialResource("uv/textured-gt-0-5.v.glsl:uv/textured-gt-0-5.f.glsl");
    TEXTURED_ALPHA_GT_0_5_MATERIAL->alphaAboveHalf = true;
}

Resource* Resources::getResource(const char* name) {
    for (Resource* resource : resources) {
        if (strcmp(resource->name, name) == 0) return resource;
    }
    return nullptr;
}

TextureResource* Resources::getTextureResource(const char* name, unsigned char filtering,
                                               unsigned long colorKey) {
    return entry<TextureResource>(name, [&] { return new TextureResource(name, filtering, colorKey); });
}

SoundResource* Resources::getSoundResource(const char* name) {
    return entry<SoundResource>(name, [&] { return new SoundResource(name); });
}

MeshResource* Resources::getMeshResource(const char* name) {
    return entry<MeshResource>(name, [&] { return new MeshResource(name); });
}

MaterialResource* Resources::getMaterialResource(const char* name) {
    return entry<MaterialResource>(name, [&] { return new MaterialResource(name); });
}

Buffer* Resources::load(const char* name) {
    if (File(archive).isExists()) {
        Archive pack;
        if (pack.openPackFile(archive, password) != 0) fail("Archive %s cannot be open\n", archive);
        PK_FILE item;
        if (!pack.openFile(&item, name)) {
            pack.closePackFile();
            fail("Cannot open file %s\n", name);
        }
        Buffer* content = pack.readFile(&item);
        pack.closePackFile();
        // An entry that exists but does not inflate is as unusable as a missing one.
        if (!content) fail("Cannot open file %s\n", name);
        return content;
    }
    String path("data/");
    path += name;
    Buffer* content = File(path).read();
    if (!content) fail("Can't load %s\n", static_cast<const char*>(path));
    return content;
}

Texture* Resources::loadTexture(const char* name, unsigned char filtering, unsigned long colorKey) {
    Buffer* image = load(name);
    try {
        Texture* texture = new Texture(image, filtering, colorKey);
        delete image;
        return texture;
    } catch (const char*) {
        delete image;
        throw;
    }
}

Sound* Resources::loadSound(const char* name) {
    Buffer* wav = load(name);
    Sound* sound = new Sound(wav);
    delete wav;
    return sound;
}

Mesh* Resources::loadMeshFromObj(const char* name, unsigned int usage) {
    Buffer* obj = load(name);
    Mesh* mesh = new Mesh(usage);
    try {
        mesh->loadObj(obj);
    } catch (const char*) {
        delete mesh;
        delete obj;
        throw;
    }
    delete obj;
    return mesh;
}

ShaderProgram* Resources::loadShaderProgram(const char* vertexName, const char* fragmentName) {
    Buffer* vertex = load(vertexName);
    Buffer* fragment = nullptr;
    try {
        fragment = load(fragmentName);
    } catch (const char*) {
        delete vertex;
        throw;
    }
    char* vertexText = textOf(vertex);
    char* fragmentText = textOf(fragment);
    delete vertex;
    delete fragment;
    try {
        ShaderProgram* program = new ShaderProgram(vertexText, fragmentText);
        free(vertexText);
        free(fragmentText);
        return program;
    } catch (const char*) {
        free(vertexText);
        free(fragmentText);
        throw;
    }
}

void Resources::releaseData() {
    for (Resource* resource : resources) resource->release();
}

void Resources::release() {
    for (Resource* resource : resources) delete resource;
    resources.clear();
    DEFAULT_MATERIAL = nullptr;
    SIMPLE_TEXTURED_MATERIAL = nullptr;
    TEXTURED_ALPHA_GT_0_5_MATERIAL = nullptr;
}
