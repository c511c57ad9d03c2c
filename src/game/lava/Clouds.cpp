#include "game/lava/Clouds.h"

#include "app/Display.h"
#include "app/Overlay.h"
#include "core/EventName.h"
#include "game/lava/LavaLayers.h"
#include "render/Mesh.h"
#include "window/FrameTime.h"
#include "window/WindowEvents.h"

Clouds::Clouds() {
    Overlay::placePicture(this, "clouds.png", Display::OVERLAY_CENTER_X, Display::OVERLAY_CENTER_Y, 512, -256,
                          BufferUsage::STREAM_DRAW);
    layerMask = LavaLayers::OVER_STONES;
    depthTest = false;
    scroll.begin(*mesh->texcoords);
}

Event* Clouds::onEvent(Event* e) {
    Event* r = MeshRenderer::onEvent(e);
    if (isEvent(e, Events::UPDATE)) {
        scroll.advance(Vector2(-frameTime(e) / SECONDS_PER_WIDTH, 0), *mesh->texcoords);
        mesh->updateTexcoords();
    }
    return r;
}
