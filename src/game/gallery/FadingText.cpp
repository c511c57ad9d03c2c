// FadingText: the fade timer and the opacity it gives.
#include "game/gallery/FadingText.h"

#include "core/EventName.h"
#include "window/Timer.h"
#include "window/WindowEvents.h"

FadingText::FadingText(const Curve<3>& opacity) : opacity(opacity) {
    fadeTimer = opacity.newTimer();
    add(fadeTimer);
}

float FadingText::opacityOf(const Curve<3>& opacity, Timer* fadeTimer) {
    // A timer just started has not passed its first point yet. Read as a loop, that span
    // runs from the end across to the start and would give the last key, a frame of clear
    // text each time the text is started (over) while showing: the text is opaque from its
    // start instead.
    if (fadeTimer->running && fadeTimer->phase == 0) return opacity.keys[0].value;
    // A timer standing at its end, started or not, reads the last key: clear.
    return opacity.at(fadeTimer);
}

Event* FadingText::onEvent(Event* e) {
    Event* r = MeshRenderer::onEvent(e);
    if (isEvent(e, Events::UPDATE)) ambientColor = Color{1, 1, 1, opacityOf(opacity, fadeTimer)};
    return r;
}
