#include "game/gallery/CheckText.h"

#include "window/Timer.h"

CheckText::CheckText() : FadingText(fade(FADE_FROM, DURATION)) { fadeTimer->time = DURATION; }
