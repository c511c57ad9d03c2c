// Progress: the row of fragments at the bottom of the lava-stones scenery that counts the
// clicks of the current game: one fragment per click, centred, green at first, yellow at 10
// clicks and red from 20 on. At the cap of 76 it spans nearly the whole width.
#pragma once

#include "math/Color.h"
#include "scene/Transform.h"

class Progress : public Transform {
public:
    static constexpr int MAX_MOVES = 76;
    static constexpr float PITCH = 12;  // units between fragment centres
    static constexpr float ROW_Y = 490;

    int moves = 0;

    Progress();

    // Rebuilds the fragments from `moves`.
    void refresh();

    // The centre of fragment k (0 to moves - 1) relative to the row's centre.
    static float fragmentX(int k, int moves);
    // The colour of every fragment of a row of `moves`.
    static Color colour(int moves);
};
