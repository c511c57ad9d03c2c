#include "resources/Resource.h"

#include <string>

#include "audio/Sound.h"
#include "core/Fail.h"
#include "core/String.h"
#include "render/GLConstants.h"
#include "render/Material.h"
#include "render/Mesh.h"
#include "render/Texture.h"
#include "resources/Resources.h"

Texture* TextureResource::getTexture() {
    if (!texture) texture = Resources::loadTexture(name, filtering, colorKey);
    return texture;
}

void TextureResource::release() {
    delete texture;
    texture = nullptr;
}

Sound* SoundResource::getSound() {
    if (!sound) sound = Resources::loadSound(name);
    return sound;
}

void SoundResource::release() {
    // A sound that holds samples belongs to the audio player, which deletes it at shutdown;
    // one whose file could not be decoded was never adopted, and only this entry held it.
    if (sound && !sound->data)
        delete sound;
    else if (sound)
        sound->release();
    sound = nullptr;
}

Mesh* MeshResource::getMesh() {
    if (!mesh) mesh = Resources::loadMeshFromObj(name, BufferUsage::STATIC_DRAW);
    return mesh;
}

void MeshResource::release() {
    delete mesh;
    mesh = nullptr;
}

Material* MaterialResource::getMaterial() {
    if (material) return material;

    // "vertex:fragment"; anything after a second ':' is ignored.
    std::string text(name);
    size_t colon = text.find(':');
    std::string vertex = text.substr(0, colon);
    std::string fragment;
    if (colon != std::string::npos) fragment = text.substr(colon + 1, text.find(':', colon + 1) - colon - 1);
    if (colon == std::string::npos || vertex.empty() || fragment.empty()) {
        fail("Incomplete material names: %s", name);
    }

    ShaderProgram* program = Resources::loadShaderProgram(vertex.c_str(), fragment.c_str());
    material = new Material(program);  // deletes the program itself when it throws
    material->alphaAboveHalf = alphaAboveHalf;
    return material;
}

void MaterialResource::release() {
    delete material;
    material = nullptr;
}
