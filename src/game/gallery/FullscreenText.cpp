#include "game/gallery/FullscreenText.h"

#include "window/Timer.h"

FullscreenText::FullscreenText() : FadingText(DURATION, FADE_FROM) { fadeTimer->start(0); }
