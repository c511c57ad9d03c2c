#include "game/lava/Lava.h"

#include "core/EventName.h"
#include "render/GLConstants.h"
#include "render/Mesh.h"
#include "scene/TexturedPlane.h"
#include "window/FrameTime.h"
#include "window/WindowEvents.h"

Lava::Lava() {
    localMatrix.translate(Vector3(0, -2, -8));
    localMatrix.scale(Vector3(10, 10, 1));
    localMatrix.rotate(Vector3(1, 0, 0), -100);
    TexturedPlane::dress(this, "lava.png", Resources::SIMPLE_TEXTURED_MATERIAL, BufferUsage::STREAM_DRAW);
    // The plane's corners run top left, top right, bottom right, bottom left.
    float texcoords[] = {0, REPEATS, REPEATS, REPEATS, REPEATS, 0, 0, 0};
    mesh->setTexcoords(sizeof texcoords, texcoords);
    scroll.begin(*mesh->texcoords);
}

Event* Lava::onEvent(Event* e) {
    Event* r = MeshRenderer::onEvent(e);
    if (isEvent(e, Events::UPDATE)) {
        scroll.advance(Vector2(0, frameTime(e) / SECONDS_PER_REPEAT), *mesh->texcoords);
        mesh->updateTexcoords();
    }
    return r;
}
