// How far a screenshot is from the gallery's bare backdrop (build/data/galleryBackground.png)
// in a box of the overlay space: the mean difference per channel of samples four units
// apart. The backdrop is drawn 1024 units wide around the overlay's centre, so the overlay's
// x is the picture's x less 56. Where the box shows the backdrop only, the difference is
// that of filtering; icons, dots and texts raise it.
#pragma once

#include <cmath>
#include <string>

#include "support/Screenshot.h"

// The same for any picture that a display draws over the whole overlay space as the gallery
// draws its backdrop (Overlay::makeFullPicture).
inline double differenceFromFullPicture(const Screenshot& shot, const Screenshot& picture, double x0,
                                        double y0, double x1, double y1) {
    if (shot.empty() || picture.empty()) return 255;
    double sum = 0;
    int samples = 0;
    for (double y = y0; y <= y1; y += 4) {
        for (double x = x0; x <= x1; x += 4) {
            Rgb shown = shot.overlayPixel(x, y);
            Rgb bare = picture.pixel((x + 56) / 1024, y / 512);
            sum += std::fabs(shown.r - bare.r) + std::fabs(shown.g - bare.g) + std::fabs(shown.b - bare.b);
            samples += 3;
        }
    }
    return sum / samples;
}

inline double differenceFromBackdrop(const Screenshot& shot, double x0, double y0, double x1, double y1) {
    static const Screenshot backdrop =
        readPicture(std::string(QUANDRELS_BINARY_DIR) + "/data/galleryBackground.png");
    return differenceFromFullPicture(shot, backdrop, x0, y0, x1, y1);
}
