// CheckText: the band at the top of the gallery that answers a click on an icon with no
// teaser behind it. Clear until the gallery starts its timer; then shown for 3 s and faded
// out within 1.5 s. A new start shows it again at full opacity.
#pragma once

#include "game/gallery/FadingText.h"

class CheckText : public FadingText {
public:
    static constexpr float DURATION = 4.5f;
    static constexpr float FADE_FROM = 3.0f;

    // The timer stands at its end, not running, so the text is clear.
    CheckText();
};
