// Lattice noise, fractal sums and cellular noise, optionally periodic so that textures tile.
// Coordinates are in lattice cells; a period of 0 means "does not repeat" on that axis.
#pragma once

#include <cstdint>

namespace datagen {

// Value noise in [-1, 1] with quintic smoothing.
float valueNoise(float x, float y, int periodX, int periodY, uint32_t seed);

// Gradient (Perlin-style) noise, roughly in [-1, 1].
float gradientNoise(float x, float y, int periodX, int periodY, uint32_t seed);

struct FractalSpec {
    uint32_t seed = 1;
    int octaves = 5;
    float gain = 0.5f;  // amplitude factor per octave
    int periodX = 0;    // lattice period of the first octave; doubles with each octave
    int periodY = 0;
    bool gradient = true;  // gradient noise, else value noise
};

// Fractal Brownian motion: sum of octaves at doubling frequency, normalised to about [-1, 1].
float fbm(float x, float y, const FractalSpec& spec);

// Ridged fractal in [0, 1]: sharp bright creases where the noise crosses zero.
float ridged(float x, float y, const FractalSpec& spec);

struct CellSample {
    float f1;     // distance to the nearest feature point
    float f2;     // distance to the second nearest
    uint32_t id;  // hash of the nearest cell, stable across periods
    float nearX;  // nearest feature point, in the same coordinates as the query
    float nearY;
};

// Worley noise with one jittered feature point per cell.
CellSample cellular(float x, float y, int periodX, int periodY, uint32_t seed, float jitter = 0.9f);

inline float clamp01(float v) { return v < 0.0f ? 0.0f : (v > 1.0f ? 1.0f : v); }
inline float mix(float a, float b, float t) { return a + (b - a) * t; }
inline float smoothstep(float edge0, float edge1, float v) {
    float t = clamp01((v - edge0) / (edge1 - edge0));
    return t * t * (3.0f - 2.0f * t);
}

}  // namespace datagen
