// The part of a display's 911 x 512 overlay space that a plane renderer covers, as the display
// placed it: its centre, plus and minus its scale (the plane mesh spans -1 to 1). Where a test
// looks for a text band or a picture of the overlay.
#pragma once

#include <cmath>

#include "math/Vector3.h"
#include "scene/Transform.h"

struct OverlayArea {
    float left, top, right, bottom;
};

// The middle of the plane: `widthShare` of its width and `heightShare` of its height around
// its centre.
inline OverlayArea middleOf(const Transform* plane, float widthShare = 1, float heightShare = 1) {
    const Vector3 centre = plane->localMatrix.getBase();
    const float halfWidth = length(plane->localMatrix.getX()) * widthShare;
    const float halfHeight = length(plane->localMatrix.getY()) * heightShare;
    return {centre.x - halfWidth, centre.y - halfHeight, centre.x + halfWidth, centre.y + halfHeight};
}
