// TEMPORARY until the registry is merged: the cached-object behaviour of registry entries
// that the scene tests rely on (an entry whose object is already loaded hands it out;
// release drops it). Delete this file when storage/Resources.cpp arrives.
#include "audio/Sound.h"
#include "render/Material.h"
#include "render/Mesh.h"
#include "render/Texture.h"
#include "storage/Resources.h"

MaterialResource* Resources::DEFAULT_MATERIAL = nullptr;
MaterialResource* Resources::SIMPLE_TEXTURED_MATERIAL = nullptr;
MaterialResource* Resources::TEXTURED_ALPHA_GT_0_5_MATERIAL = nullptr;

Texture* TextureResource::getTexture() { return texture; }
void TextureResource::release() {
    delete texture;
    texture = nullptr;
}
void SoundResource::release() {
    if (sound) sound->release();
    sound = nullptr;
}
Mesh* MeshResource::getMesh() { return mesh; }
void MeshResource::release() {
    delete mesh;
    mesh = nullptr;
}
Material* MaterialResource::getMaterial() { return material; }
void MaterialResource::release() {
    delete material;
    material = nullptr;
}
