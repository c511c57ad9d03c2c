// Interpolation: samples a timer's position between per-point key values, linearly, with a
// cosine ease or with a cubic curve through four neighbouring keys.
#pragma once

class Timer;

// The position between the two middle keys (mu: 0 at y1, 1 at y2, not clamped) and four
// consecutive key values; the curve runs from y1 to y2.
struct InterpolationInput {
    float mu = 0;
    float y0 = 0;
    float y1 = 0;
    float y2 = 0;
    float y3 = 0;
};

// Key i is the float at byte address values + offset + i * stride, one key per point of the
// timer, so one field of an array of records can be read in place (stride 4, offset 0 for a
// plain float array). Only keys 0 to points - 1 are ever read: a phase outside the points is
// clamped, and a timer without points yields mu 0 and all keys 0 without reading any.
class Interpolation {
public:
    Interpolation() = delete;

    // loop: indices wrap around, and the span before the first point runs from the last
    // point across the cycle's end.
    static void getValues(Timer* timer, const void* values, int stride, int offset, bool loop,
                          InterpolationInput* out);
    static float linear(Timer* timer, const void* values, int stride, int offset, bool loop);
    static float cosine(Timer* timer, const void* values, int stride, int offset, bool loop);
    static float cubic(Timer* timer, const void* values, int stride, int offset, bool loop);
};
