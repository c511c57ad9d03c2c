// TexcoordScroll: the endless scroll of a repeating texture. The picture moves by shifting
// the texture coordinates, and each whole unit travelled is taken back (a repeating texture
// looks the same one unit on). The coordinates are always the start coordinates plus one
// offset, so they stay within one unit of their start and keep their spans exactly, however
// long the scroll runs: nothing accumulates rounding from frame to frame.
#pragma once

#include "core/List.h"
#include "math/Vector2.h"

class TexcoordScroll {
public:
    List<Vector2> start;  // the coordinates when the scroll began
    Vector2 offset;       // travelled so far, less whole units: each component within -1 .. 1

    // Remembers `texcoords` as the start; the offset is 0.
    void begin(const List<Vector2>& texcoords);

    // Moves the offset by `step`, takes back a whole unit once it has passed one on either
    // axis, and writes start + offset into `texcoords` (of the start's size).
    void advance(Vector2 step, List<Vector2>& texcoords);
};
