// How far a screenshot is from the exit screen's picture (build/data/exit.png), which the
// exit display draws over the whole overlay space: 1024 units wide around the overlay's
// centre, so the letter box shows it from u = 56 / 1024 to 967 / 1024, and its full height.
#pragma once

#include <cmath>
#include <string>

#include "support/Screenshot.h"

inline const Screenshot& exitPicture() {
    static const Screenshot picture = readPicture(std::string(QUANDRELS_BINARY_DIR) + "/data/exit.png");
    return picture;
}

// Mean absolute difference per channel (0 to 255) between the screenshot and the picture, over
// a grid of regions of the letter box; region means leave filtering and the fixed build's
// 16-bit colour out of it.
inline double differenceFromExitPicture(const Screenshot& shot) {
    const Screenshot& picture = exitPicture();
    if (shot.empty() || picture.empty()) return 255;
    const int columns = 12, rows = 6;
    double sum = 0;
    for (int row = 0; row < rows; row++) {
        for (int column = 0; column < columns; column++) {
            // Overlay units, a few units inside the box's edges.
            double x0 = 8 + column * (895.0 / columns), x1 = x0 + 895.0 / columns;
            double y0 = 8 + row * (496.0 / rows), y1 = y0 + 496.0 / rows;
            Rgb shown = shot.overlayMean(x0, y0, x1, y1);
            Rgb drawn = picture.mean((x0 + 56) / 1024, y0 / 512, (x1 + 56) / 1024, y1 / 512);
            sum += std::fabs(shown.r - drawn.r) + std::fabs(shown.g - drawn.g) + std::fabs(shown.b - drawn.b);
        }
    }
    return sum / (3.0 * columns * rows);
}
