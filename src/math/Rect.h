// Rect: a rectangle in window pixels (window and display viewports).
#pragma once

#include <cstdint>

struct Rect {
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
};

inline bool operator==(const Rect& a, const Rect& b) {
    return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
}
inline bool operator!=(const Rect& a, const Rect& b) { return !(a == b); }
