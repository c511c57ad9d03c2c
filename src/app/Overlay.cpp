#include "app/Overlay.h"

#include "app/Display.h"
#include "math/Matrix4x4.h"
#include "scene/Camera.h"
#include "scene/MeshRenderer.h"
#include "scene/TexturedPlane.h"

namespace Overlay {

Camera* makeCamera() { return new Camera(Display::OVERLAY_WIDTH, Display::OVERLAY_HEIGHT); }

MeshRenderer* placePicture(MeshRenderer* picture, const char* texture, float centerX, float centerY,
                           float scaleX, float scaleY, unsigned int usage) {
    picture->localMatrix.translate(Vector3(centerX, centerY, 0));
    picture->localMatrix.scale(Vector3(scaleX, scaleY, 1));
    return TexturedPlane::dress(picture, texture, Resources::SIMPLE_TEXTURED_MATERIAL, usage);
}

MeshRenderer* makeFullPicture(const char* texture) {
    return makePicture(texture, Display::OVERLAY_CENTER_X, Display::OVERLAY_CENTER_Y, 512, -256);
}

MeshRenderer* makeBackdrop(const char* texture) {
    MeshRenderer* backdrop = makeFullPicture(texture);
    backdrop->depthTest = false;
    return backdrop;
}

}  // namespace Overlay
