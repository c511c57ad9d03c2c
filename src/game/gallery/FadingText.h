// FadingText: a band of text on the gallery's overlay that shows when its fade timer starts,
// stays opaque until the timer's middle point and fades out by its end. CheckText and
// FullscreenText differ only in their timers.
#pragma once

#include "scene/MeshRenderer.h"

class Timer;

class FadingText : public MeshRenderer {
public:
    Timer* fadeTimer;  // a child

    // The timer runs `duration` seconds over the points 0, `fadeFrom` and `duration`.
    FadingText(float duration, float fadeFrom);

    // The renderer's handling; then on "update" the colour becomes white with the opacity
    // of the timer's present point.
    Event* onEvent(Event* e) override;

    // 1 from the timer's start to its middle point, falling to 0 at its end, and 0 after
    // the end or at the end before any start.
    static float opacityOf(Timer* fadeTimer);
};
