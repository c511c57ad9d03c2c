// FadingText: the fade timer and the opacity it gives.
#include "game/gallery/FadingText.h"

#include "core/EventName.h"
#include "window/Interpolation.h"
#include "window/Timer.h"
#include "window/WindowEvents.h"

namespace {

constexpr float OPACITIES[] = {1.0f, 1.0f, 0.0f};

}  // namespace

FadingText::FadingText(float duration, float fadeFrom) {
    fadeTimer = new Timer(duration);
    const float points[] = {0.0f, fadeFrom, duration};
    fadeTimer->setIntervals(3, points);
    add(fadeTimer);
}

float FadingText::opacityOf(Timer* fadeTimer) {
    // A timer just started has not passed its first point yet. Read as a loop, that span
    // runs from the end across to the start and would give the last key, a frame of clear
    // text each time the text is started (over) while showing: the text is opaque from its
    // start instead.
    if (fadeTimer->running && fadeTimer->phase == 0) return OPACITIES[0];
    // A timer standing at its end, started or not, reads the last key: clear.
    return Interpolation::linear(fadeTimer, OPACITIES, sizeof(float), 0, true);
}

Event* FadingText::onEvent(Event* e) {
    Event* r = MeshRenderer::onEvent(e);
    if (isEvent(e, Events::UPDATE)) ambientColor = Color{1, 1, 1, opacityOf(fadeTimer)};
    return r;
}
