#include "app/Overlay.h"

#include "app/Display.h"
#include "math/Matrix4x4.h"
#include "render/GLConstants.h"
#include "render/Mesh.h"
#include "render/Texture.h"
#include "resources/Resources.h"
#include "scene/Camera.h"
#include "scene/MeshRenderer.h"

namespace Overlay {

Camera* makeCamera() { return new Camera(Display::OVERLAY_WIDTH, Display::OVERLAY_HEIGHT); }

MeshRenderer* placePicture(MeshRenderer* picture, const char* texture, float centerX, float centerY,
                           float scaleX, float scaleY, unsigned int usage) {
    picture->localMatrix.translate(Vector3(centerX, centerY, 0));
    picture->localMatrix.scale(Vector3(scaleX, scaleY, 1));
    delete picture->mesh;
    picture->mesh = Mesh::createTexturedPlane(usage, Matrix4x4());
    picture->textureResource =
        Resources::getTextureResource(texture, TextureFiltering::LINEAR, Texture::NO_COLOR_KEY);
    picture->materialResource = Resources::SIMPLE_TEXTURED_MATERIAL;
    return picture;
}

MeshRenderer* makeFullPicture(const char* texture) {
    return makePicture(texture, Display::OVERLAY_CENTER_X, Display::OVERLAY_CENTER_Y, 512, -256);
}

}  // namespace Overlay
