// FullscreenText: the band at the bottom of the gallery that names the full-screen key. It
// shows from the moment the gallery is built for 6 s, fades out within 3 s, and never comes
// back in that run; its timer runs only while the gallery is shown.
#pragma once

#include "game/gallery/FadingText.h"

class FullscreenText : public FadingText {
public:
    static constexpr float DURATION = 9.0f;
    static constexpr float FADE_FROM = 6.0f;

    // The timer starts at once, from 0.
    FullscreenText();
};
