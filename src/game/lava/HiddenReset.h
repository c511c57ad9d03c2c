// HiddenReset: an invisible square in the plane of the stones that starts a new game once the
// puzzle is solved. It draws nothing; LavaStones only hit-tests it.
#pragma once

#include "scene/Transform.h"

class HiddenReset : public Transform {
public:
    // Centre (x, y) in the stones' plane and half size: a square of 2 size x 2 size units.
    HiddenReset(float x, float y, float size);
};
