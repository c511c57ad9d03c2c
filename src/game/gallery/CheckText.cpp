#include "game/gallery/CheckText.h"

#include "window/Timer.h"

CheckText::CheckText() : FadingText(DURATION, FADE_FROM) { fadeTimer->time = DURATION; }
