#include "game/lava/Star.h"

#include <cstdlib>

#include "app/Display.h"
#include "app/Overlay.h"
#include "core/EventName.h"
#include "window/Timer.h"
#include "window/WindowEvents.h"

Star::Star(float x, float y, bool big) : big(big) {
    float size = big ? 4.0f : 2.0f;
    Overlay::placePicture(this, big ? "star.png" : "star2.png", x * Display::OVERLAY_WIDTH,
                          y * Display::OVERLAY_HEIGHT, size, -size);
    const Curve<5>& twinkle = big ? BIG_TWINKLE : SMALL_TWINKLE;
    twinkleTimer = twinkle.newTimer();
    twinkleTimer->loop = true;
    add(twinkleTimer);
    twinkleTimer->start(static_cast<float>(rand() % 100) / 100.0f);
}

float Star::alpha(Timer* timer, bool big) { return (big ? BIG_TWINKLE : SMALL_TWINKLE).at(timer); }

Event* Star::onEvent(Event* e) {
    Event* r = MeshRenderer::onEvent(e);
    if (isEvent(e, Events::UPDATE)) ambientColor = Color{1, 1, 1, alpha(twinkleTimer, big)};
    return r;
}
