// FadingText: a band of text on the gallery's overlay that shows when its fade timer starts,
// stays opaque until the fade's middle key and fades out by its end. CheckText and
// FullscreenText differ only in their fades.
#pragma once

#include "scene/MeshRenderer.h"
#include "window/Curve.h"

class FadingText : public MeshRenderer {
public:
    // The opacity of a text shown for `fadeFrom` seconds and faded out by `duration`.
    static constexpr Curve<3> fade(float fadeFrom, float duration) {
        return {CurveReading::LOOPED, {{0.0f, 1.0f}, {fadeFrom, 1.0f}, {duration, 0.0f}}};
    }

    const Curve<3> opacity;
    Timer* fadeTimer;  // a child, over the opacity's points

    explicit FadingText(const Curve<3>& opacity);

    // The renderer's handling; then on "update" the colour becomes white with the opacity
    // of the timer's present point.
    Event* onEvent(Event* e) override;

    // The opacity's first key from the timer's start to its middle point, falling to the
    // last key at its end, and the last key after the end or at the end before any start.
    static float opacityOf(const Curve<3>& opacity, Timer* fadeTimer);
};
