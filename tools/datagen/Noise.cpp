// Lattice and cellular noise. Lattice indices wrap modulo the period so that a texture whose
// width spans a whole number of periods joins its opposite edges without a seam.
#include "Noise.h"

#include <cmath>

#include "Random.h"

namespace datagen {
namespace {

inline int wrap(int i, int period) {
    if (period <= 0) return i;
    int r = i % period;
    return r < 0 ? r + period : r;
}

inline float fade(float t) { return t * t * t * (t * (t * 6.0f - 15.0f) + 10.0f); }

// Sixteen evenly spread unit gradients; cheaper than trigonometry per lattice point.
const float GRADIENTS[16][2] = {
    {1.0f, 0.0f},  {0.92388f, 0.38268f},   {0.70711f, 0.70711f},   {0.38268f, 0.92388f},
    {0.0f, 1.0f},  {-0.38268f, 0.92388f},  {-0.70711f, 0.70711f},  {-0.92388f, 0.38268f},
    {-1.0f, 0.0f}, {-0.92388f, -0.38268f}, {-0.70711f, -0.70711f}, {-0.38268f, -0.92388f},
    {0.0f, -1.0f}, {0.38268f, -0.92388f},  {0.70711f, -0.70711f},  {0.92388f, -0.38268f},
};

inline float lattice(int x, int y, uint32_t seed) { return unitFloat(hash2(x, y, seed)) * 2.0f - 1.0f; }

inline float gradientDot(int ix, int iy, float dx, float dy, uint32_t seed) {
    const float* g = GRADIENTS[hash2(ix, iy, seed) & 15u];
    return g[0] * dx + g[1] * dy;
}

// Doubles the frequency for the next octave. Without a period the octaves are also turned
// against each other, which hides the lattice's axis-aligned streaks; periodic noise cannot
// be turned without losing its period.
inline void nextOctave(float& x, float& y, int& px, int& py) {
    if (px == 0 && py == 0) {
        const float c = 1.6f, s = 1.2f;  // 2 * (cos, sin) of about 36.9 degrees
        float rx = c * x - s * y;
        y = s * x + c * y;
        x = rx;
        return;
    }
    x *= 2.0f;
    y *= 2.0f;
    px *= 2;
    py *= 2;
}

}  // namespace

float valueNoise(float x, float y, int periodX, int periodY, uint32_t seed) {
    float fx = std::floor(x);
    float fy = std::floor(y);
    int ix = static_cast<int>(fx);
    int iy = static_cast<int>(fy);
    float tx = fade(x - fx);
    float ty = fade(y - fy);
    int x0 = wrap(ix, periodX), x1 = wrap(ix + 1, periodX);
    int y0 = wrap(iy, periodY), y1 = wrap(iy + 1, periodY);
    float a = mix(lattice(x0, y0, seed), lattice(x1, y0, seed), tx);
    float b = mix(lattice(x0, y1, seed), lattice(x1, y1, seed), tx);
    return mix(a, b, ty);
}

float gradientNoise(float x, float y, int periodX, int periodY, uint32_t seed) {
    float fx = std::floor(x);
    float fy = std::floor(y);
    int ix = static_cast<int>(fx);
    int iy = static_cast<int>(fy);
    float dx = x - fx;
    float dy = y - fy;
    int x0 = wrap(ix, periodX), x1 = wrap(ix + 1, periodX);
    int y0 = wrap(iy, periodY), y1 = wrap(iy + 1, periodY);
    float tx = fade(dx);
    float ty = fade(dy);
    float a = mix(gradientDot(x0, y0, dx, dy, seed), gradientDot(x1, y0, dx - 1.0f, dy, seed), tx);
    float b =
        mix(gradientDot(x0, y1, dx, dy - 1.0f, seed), gradientDot(x1, y1, dx - 1.0f, dy - 1.0f, seed), tx);
    // Gradient noise peaks near +-0.7; scale towards the unit range.
    return mix(a, b, ty) * 1.41f;
}

float fbm(float x, float y, const FractalSpec& spec) {
    float sum = 0.0f;
    float amplitude = 1.0f;
    float norm = 0.0f;
    int px = spec.periodX;
    int py = spec.periodY;
    for (int octave = 0; octave < spec.octaves; ++octave) {
        uint32_t seed = spec.seed * 0x9e3779b1U + static_cast<uint32_t>(octave) * 0x632be5abU;
        float n = spec.gradient ? gradientNoise(x, y, px, py, seed) : valueNoise(x, y, px, py, seed);
        sum += n * amplitude;
        norm += amplitude;
        amplitude *= spec.gain;
        nextOctave(x, y, px, py);
    }
    return sum / norm * 1.3f;
}

float ridged(float x, float y, const FractalSpec& spec) {
    float sum = 0.0f;
    float amplitude = 1.0f;
    float norm = 0.0f;
    int px = spec.periodX;
    int py = spec.periodY;
    for (int octave = 0; octave < spec.octaves; ++octave) {
        uint32_t seed = spec.seed * 0x85ebca6bU + static_cast<uint32_t>(octave) * 0xc2b2ae35U;
        float n = 1.0f - std::fabs(gradientNoise(x, y, px, py, seed));
        sum += n * n * amplitude;
        norm += amplitude;
        amplitude *= spec.gain;
        nextOctave(x, y, px, py);
    }
    return sum / norm;
}

CellSample cellular(float x, float y, int periodX, int periodY, uint32_t seed, float jitter) {
    float fx = std::floor(x);
    float fy = std::floor(y);
    int ix = static_cast<int>(fx);
    int iy = static_cast<int>(fy);
    CellSample best{1e9f, 1e9f, 0u, 0.0f, 0.0f};
    for (int oy = -1; oy <= 1; ++oy) {
        for (int ox = -1; ox <= 1; ++ox) {
            int cx = ix + ox;
            int cy = iy + oy;
            uint32_t h = hash2(wrap(cx, periodX), wrap(cy, periodY), seed);
            float px = static_cast<float>(cx) + 0.5f + (unitFloat(h) - 0.5f) * jitter;
            float py = static_cast<float>(cy) + 0.5f + (unitFloat(hash32(h ^ 0x5bd1e995U)) - 0.5f) * jitter;
            float dx = px - x;
            float dy = py - y;
            float d = std::sqrt(dx * dx + dy * dy);
            if (d < best.f1) {
                best.f2 = best.f1;
                best.f1 = d;
                best.id = h;
                best.nearX = px;
                best.nearY = py;
            } else if (d < best.f2) {
                best.f2 = d;
            }
        }
    }
    return best;
}

}  // namespace datagen
