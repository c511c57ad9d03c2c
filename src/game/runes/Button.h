// Button: a clickable picture of the runes teaser: the four symbol buttons and the check
// button on the bar, and the point under each rune. A textured plane with a collider on a
// plane of its own; the display tells the buttons apart after picking.
#pragma once

#include "scene/MeshRenderer.h"

class Button : public MeshRenderer {
public:
    int type = -1;  // the symbol (0 to 3) of a symbol button; -1 for the others

    // At (x, y, z) with the named picture, drawn with the simple textured material.
    Button(float x, float y, float z, const char* texture);
};
