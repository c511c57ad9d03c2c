// How far a screenshot is from the exit screen's picture (build/data/exit.png), which the
// exit display draws over the whole overlay space.
#pragma once

#include "play/OverlayPicture.h"

inline const Screenshot& exitPicture() { return dataPicture("exit.png"); }

inline double differenceFromExitPicture(const Screenshot& shot) {
    return differenceFromOverlayPicture(shot, exitPicture());
}
