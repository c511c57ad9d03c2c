// Interpolation: key lookup around the timer's phase and the three curves.
#include "window/Interpolation.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstring>

#include "window/Timer.h"

namespace {

constexpr double PI = 3.14159265358979323846;

// Keys may sit inside packed records, so they are copied out rather than dereferenced.
float key(const void* values, int stride, int offset, int i) {
    float v;
    std::memcpy(&v, static_cast<const char*>(values) + offset + static_cast<std::ptrdiff_t>(i) * stride,
                sizeof v);
    return v;
}

}  // namespace

void Interpolation::getValues(Timer* timer, const void* values, int stride, int offset, bool loop,
                              InterpolationInput* out) {
    *out = InterpolationInput{};
    const List<float>& points = timer->intervals;
    const int n = points.size();
    if (n == 0) return;
    const int i = std::clamp(timer->phase, 0, n - 1);

    if (!loop) {
        const int i1 = std::max(i - 1, 0);
        const float t0 = points.at(i1);
        const float span = points.at(i) - t0;
        out->mu = span > 0 ? (timer->time - t0) / span : 0.0f;
        out->y0 = key(values, stride, offset, std::max(i - 2, 0));
        out->y1 = key(values, stride, offset, i1);
        out->y2 = key(values, stride, offset, i);
        out->y3 = key(values, stride, offset, std::min(i + 1, n - 1));
        return;
    }

    const int i1 = (i + n - 1) % n;
    const int i0 = (i + 2 * n - 2) % n;
    const int i3 = (i + 1) % n;
    const float t0 = points.at(i1);
    float span = points.at(i) - t0;
    if (span < 0) span += timer->duration;
    if (span == 0) {
        out->mu = 0;
    } else {
        float t = timer->time;
        if (t0 > t) t += timer->duration;
        out->mu = (t - t0) / span;
    }
    out->y0 = key(values, stride, offset, i0);
    out->y1 = key(values, stride, offset, i1);
    out->y2 = key(values, stride, offset, i);
    out->y3 = key(values, stride, offset, i3);
}

float Interpolation::linear(Timer* timer, const void* values, int stride, int offset, bool loop) {
    InterpolationInput in;
    getValues(timer, values, stride, offset, loop, &in);
    return (1 - in.mu) * in.y1 + in.mu * in.y2;
}

float Interpolation::cosine(Timer* timer, const void* values, int stride, int offset, bool loop) {
    InterpolationInput in;
    getValues(timer, values, stride, offset, loop, &in);
    const float m2 = static_cast<float>((1 - std::cos(static_cast<double>(in.mu) * PI)) * 0.5);
    return (1 - m2) * in.y1 + m2 * in.y2;
}

float Interpolation::cubic(Timer* timer, const void* values, int stride, int offset, bool loop) {
    InterpolationInput in;
    getValues(timer, values, stride, offset, loop, &in);
    const float m = in.mu;
    const float a0 = in.y3 - in.y2 - in.y0 + in.y1;
    const float a1 = in.y0 - in.y1 - a0;
    const float a2 = in.y2 - in.y0;
    return a0 * m * m * m + a1 * m * m + a2 * m + in.y1;
}
