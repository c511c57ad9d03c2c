#include "scene/TexturedPlane.h"

#include "math/Matrix4x4.h"
#include "render/Mesh.h"
#include "render/Texture.h"
#include "scene/MeshRenderer.h"

namespace TexturedPlane {

TextureResource* picture(const char* name) {
    return Resources::getTextureResource(name, TextureFiltering::LINEAR, Texture::NO_COLOR_KEY);
}

MeshRenderer* dress(MeshRenderer* renderer, TextureResource* picture, MaterialResource* material,
                    unsigned int usage) {
    delete renderer->mesh;
    renderer->mesh = Mesh::createTexturedPlane(usage, Matrix4x4());
    renderer->textureResource = picture;
    renderer->materialResource = material;
    return renderer;
}

MeshRenderer* dress(MeshRenderer* renderer, const char* picture, MaterialResource* material,
                    unsigned int usage) {
    return dress(renderer, TexturedPlane::picture(picture), material, usage);
}

MeshRenderer* make(TextureResource* picture, MaterialResource* material) {
    return dress(new MeshRenderer(), picture, material);
}

}  // namespace TexturedPlane
