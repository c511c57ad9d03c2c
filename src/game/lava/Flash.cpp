#include "game/lava/Flash.h"

#include "app/Display.h"
#include "app/Overlay.h"
#include "core/EventName.h"
#include "game/lava/LavaEvents.h"
#include "window/Interpolation.h"
#include "window/Timer.h"
#include "window/WindowEvents.h"

Flash::Flash() {
    Overlay::placePicture(this, "pixel.png", Display::OVERLAY_CENTER_X, Display::OVERLAY_CENTER_Y, 512, -256);
    layerMask = 2;
    depthTest = false;
    fadeTimer = new Timer(DURATION);
    fadeTimer->setIntervals(2, FADE_POINTS);
    fadeTimer->timeoutEvent = Events::FLESH_TIMEOUT;
    add(fadeTimer);
    fadeTimer->start(0);
}

Event* Flash::onEvent(Event* e) {
    Event* r = MeshRenderer::onEvent(e);
    if (isEvent(e, Events::UPDATE)) {
        ambientColor = Color{1, 1, 1, Interpolation::linear(fadeTimer, FADE_ALPHAS, sizeof(float), 0, true)};
    } else if (isEvent(e, Events::FLESH_TIMEOUT) && e->source == fadeTimer) {
        expired = true;
    }
    return r;
}
