// How far a screenshot is from a picture that a display draws over its whole overlay space
// (an exit screen, a teaser's backdrop): 1024 units wide around the overlay's centre, so the
// letter box shows it from u = 56 / 1024 to 967 / 1024, and its full height.
#pragma once

#include <algorithm>
#include <cmath>
#include <numeric>
#include <string>
#include <vector>

#include "support/Screenshot.h"

// The picture build/data/<name>, read once per name.
const Screenshot& dataPicture(const std::string& name);

// Mean absolute difference per channel (0 to 255) between the screenshot and the picture, over
// a grid of regions of the box from (x0, y0) to (x1, y1) in overlay units; region means leave
// filtering and the fixed build's 16-bit colour out of it. With a `share` below 1 only that
// share of the regions counts, those that match best: what a display draws over part of the
// picture then leaves the rest to compare.
inline double differenceFromOverlayPicture(const Screenshot& shot, const Screenshot& picture, double x0 = 8,
                                           double y0 = 8, double x1 = 903, double y1 = 504,
                                           double share = 1) {
    if (shot.empty() || picture.empty()) return 255;
    const int columns = 12, rows = 6;
    const double w = (x1 - x0) / columns, h = (y1 - y0) / rows;
    std::vector<double> regions;
    for (int row = 0; row < rows; row++) {
        for (int column = 0; column < columns; column++) {
            double left = x0 + column * w, top = y0 + row * h;
            Rgb shown = shot.overlayMean(left, top, left + w, top + h);
            Rgb drawn = picture.mean((left + 56) / 1024, top / 512, (left + w + 56) / 1024, (top + h) / 512);
            regions.push_back(std::fabs(shown.r - drawn.r) + std::fabs(shown.g - drawn.g) +
                              std::fabs(shown.b - drawn.b));
        }
    }
    std::sort(regions.begin(), regions.end());
    const size_t counted = std::max<size_t>(1, static_cast<size_t>(regions.size() * share));
    return std::accumulate(regions.begin(), regions.begin() + counted, 0.0) / (3.0 * counted);
}

// The same between two screenshots, each read through its own letter box: the one display at
// two moments, or at two window sizes.
inline double differenceBetweenShots(const Screenshot& a, const Screenshot& b, double x0 = 8, double y0 = 8,
                                     double x1 = 903, double y1 = 504) {
    if (a.empty() || b.empty()) return 255;
    const int columns = 12, rows = 6;
    const double w = (x1 - x0) / columns, h = (y1 - y0) / rows;
    double sum = 0;
    for (int row = 0; row < rows; row++) {
        for (int column = 0; column < columns; column++) {
            double left = x0 + column * w, top = y0 + row * h;
            Rgb p = a.overlayMean(left, top, left + w, top + h),
                q = b.overlayMean(left, top, left + w, top + h);
            sum += std::fabs(p.r - q.r) + std::fabs(p.g - q.g) + std::fabs(p.b - q.b);
        }
    }
    return sum / (3.0 * columns * rows);
}
