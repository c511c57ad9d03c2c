// Color: a plain RGBA record of floats, nominally 0..1; nothing clamps it.
#pragma once

struct Color {
    float r = 0;
    float g = 0;
    float b = 0;
    float a = 0;
};

inline bool operator==(const Color& p, const Color& q) {
    return p.r == q.r && p.g == q.g && p.b == q.b && p.a == q.a;
}
