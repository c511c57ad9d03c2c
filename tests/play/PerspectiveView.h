// Where the game's perspective cameras (a field of view of 45 degrees, at the origin looking
// along -z, drawing into the display's letter box) show a point of their scene, in fractions
// of a window of the given size: where a test clicks to hit a stone, an icon or a rune.
#pragma once

#include <array>
#include <cmath>

#include "app/Display.h"

inline std::array<double, 2> perspectivePoint(double x, double y, double z, int width = 854,
                                              int height = 480) {
    Rect box = Display::letterbox(width, height, Rect{0, 0, width, height});
    const double cot = 1 / std::tan(22.5 * M_PI / 180);
    const double aspect = static_cast<double>(box.width) / box.height;
    double ndcX = x / -z * cot / aspect, ndcY = y / -z * cot;
    return {(box.x + (ndcX + 1) / 2 * box.width) / width, (box.y + (1 - ndcY) / 2 * box.height) / height};
}
