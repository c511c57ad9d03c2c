// Rect: a rectangle in window pixels (window and display viewports).
#pragma once

#include <cstdint>

struct Rect {
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
};
