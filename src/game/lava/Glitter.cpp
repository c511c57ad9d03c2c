#include "game/lava/Glitter.h"

#include <cstdlib>

#include "app/Display.h"
#include "app/Overlay.h"
#include "core/EventName.h"
#include "window/Timer.h"
#include "window/WindowEvents.h"

Glitter::Glitter(float x, float y) : position(x * Display::OVERLAY_WIDTH, y * Display::OVERLAY_HEIGHT, 0) {
    Overlay::placePicture(this, "glitter.png", position.x, position.y, 0, 0);
    twinkleTimer = FLARE.newTimer();
    twinkleTimer->loop = true;
    add(twinkleTimer);
    twinkleTimer->start(static_cast<float>(rand() % 1000) / 100.0f);
}

float Glitter::size(Timer* timer) { return FLARE.at(timer); }

Event* Glitter::onEvent(Event* e) {
    Event* r = MeshRenderer::onEvent(e);
    if (isEvent(e, Events::UPDATE)) {
        float s = size(twinkleTimer);
        localMatrix = Matrix4x4(position);
        localMatrix.scale(Vector3(s, -s, 1));
    }
    return r;
}
