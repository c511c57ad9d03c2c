#include "game/runes/Button.h"

#include "render/GLConstants.h"
#include "render/Mesh.h"
#include "render/Texture.h"
#include "resources/Resources.h"
#include "scene/MeshCollider.h"

Button::Button(float x, float y, float z, const char* texture) {
    localMatrix.translate(Vector3(x, y, z));
    mesh = Mesh::createTexturedPlane(BufferUsage::STATIC_DRAW, Matrix4x4());
    materialResource = Resources::SIMPLE_TEXTURED_MATERIAL;
    textureResource = Resources::getTextureResource(texture, TextureFiltering::LINEAR, Texture::NO_COLOR_KEY);
    add(new MeshCollider(Mesh::createPlane(Matrix4x4())));
}
