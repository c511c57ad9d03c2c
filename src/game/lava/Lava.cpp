#include "game/lava/Lava.h"

#include "core/EventName.h"
#include "render/GLConstants.h"
#include "render/Mesh.h"
#include "render/Texture.h"
#include "resources/Resources.h"
#include "window/FrameTime.h"
#include "window/WindowEvents.h"

Lava::Lava() {
    localMatrix.translate(Vector3(0, -2, -8));
    localMatrix.scale(Vector3(10, 10, 1));
    localMatrix.rotate(Vector3(1, 0, 0), -100);
    mesh = Mesh::createTexturedPlane(BufferUsage::STREAM_DRAW, Matrix4x4());
    // The plane's corners run top left, top right, bottom right, bottom left.
    float texcoords[] = {0, REPEATS, REPEATS, REPEATS, REPEATS, 0, 0, 0};
    mesh->setTexcoords(sizeof texcoords, texcoords);
    scroll.begin(*mesh->texcoords);
    textureResource =
        Resources::getTextureResource("lava.png", TextureFiltering::LINEAR, Texture::NO_COLOR_KEY);
    materialResource = Resources::SIMPLE_TEXTURED_MATERIAL;
}

Event* Lava::onEvent(Event* e) {
    Event* r = MeshRenderer::onEvent(e);
    if (isEvent(e, Events::UPDATE)) {
        scroll.advance(Vector2(0, frameTime(e) / SECONDS_PER_REPEAT), *mesh->texcoords);
        mesh->updateTexcoords();
    }
    return r;
}
