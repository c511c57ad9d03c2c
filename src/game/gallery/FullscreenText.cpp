#include "game/gallery/FullscreenText.h"

#include "window/Timer.h"

FullscreenText::FullscreenText() : FadingText(fade(FADE_FROM, DURATION)) { fadeTimer->start(0); }
