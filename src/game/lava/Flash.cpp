#include "game/lava/Flash.h"

#include "app/Display.h"
#include "app/Overlay.h"
#include "core/EventName.h"
#include "game/lava/LavaEvents.h"
#include "game/lava/LavaLayers.h"
#include "window/Timer.h"
#include "window/WindowEvents.h"

Flash::Flash() {
    Overlay::placePicture(this, "pixel.png", Display::OVERLAY_CENTER_X, Display::OVERLAY_CENTER_Y, 512, -256);
    layerMask = LavaLayers::OVER_STONES;
    depthTest = false;
    fadeTimer = FADE.newTimer();
    fadeTimer->timeoutEvent = Events::FLASH_FADED;
    add(fadeTimer);
    fadeTimer->start(0);
}

Event* Flash::onEvent(Event* e) {
    Event* r = MeshRenderer::onEvent(e);
    if (isEvent(e, Events::UPDATE)) {
        ambientColor = Color{1, 1, 1, FADE.at(fadeTimer)};
    } else if (isEvent(e, Events::FLASH_FADED) && e->source == fadeTimer) {
        expired = true;
    }
    return r;
}
