#include "game/runes/Result.h"

#include "core/EventName.h"
#include "render/GLConstants.h"
#include "render/Mesh.h"
#include "render/Texture.h"
#include "resources/Resources.h"
#include "window/Interpolation.h"
#include "window/Timer.h"
#include "window/WindowEvents.h"

namespace {

const float FADE_POINTS[] = {0, 0.5f};
const float ALPHA_KEYS[] = {0, 1};
const float SUCCESS_SCALE_KEYS[] = {0.5f, Result::SCALE};

}  // namespace

Result::Result(float x, float y, bool success) : success(success), position(x, y, Z) {
    localMatrix.translate(position);
    localMatrix.scale(Vector3(SCALE, SCALE, SCALE));
    mesh = Mesh::createTexturedPlane(BufferUsage::STATIC_DRAW, Matrix4x4());
    materialResource = Resources::SIMPLE_TEXTURED_MATERIAL;
    textureResource = Resources::getTextureResource(success ? "successIcon.png" : "failIcon.png",
                                                    TextureFiltering::LINEAR, Texture::NO_COLOR_KEY);
    ambientColor = success ? Color{0, 1, 0, 0} : Color{1, 0, 0, 0};

    fadeTimer = new Timer(0.5f);
    fadeTimer->setIntervals(2, FADE_POINTS);
    add(fadeTimer);
    fadeTimer->start(0);
}

Event* Result::onEvent(Event* e) {
    Event* r = MeshRenderer::onEvent(e);
    if (!isEvent(r, Events::UPDATE)) return r;
    ambientColor.a = Interpolation::linear(fadeTimer, ALPHA_KEYS, sizeof(float), 0, false);
    if (success) {
        float s = Interpolation::linear(fadeTimer, SUCCESS_SCALE_KEYS, sizeof(float), 0, false);
        localMatrix.loadIdentity();
        localMatrix.translate(position);
        localMatrix.scale(Vector3(s, s, s));
    }
    return r;
}
