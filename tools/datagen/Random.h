// Seeded pseudo-random numbers and integer hashes: the generator's only source of chance,
// so that every run writes the same bytes.
#pragma once

#include <cmath>
#include <cstdint>

namespace datagen {

// Avalanching 32-bit hash (lowbias32); lattice noise and per-pixel dither are built on it.
inline uint32_t hash32(uint32_t x) {
    x ^= x >> 16;
    x *= 0x7feb352dU;
    x ^= x >> 15;
    x *= 0x846ca68bU;
    x ^= x >> 16;
    return x;
}

inline uint32_t hash2(int32_t x, int32_t y, uint32_t seed) {
    return hash32(static_cast<uint32_t>(x) * 0x8da6b343U ^ static_cast<uint32_t>(y) * 0xd8163841U ^
                  seed * 0xcb1ab31fU);
}

// Uniform float in [0, 1) from a hash value.
inline float unitFloat(uint32_t h) { return static_cast<float>(h >> 8) * (1.0f / 16777216.0f); }

// splitmix64: small, fast and good enough for placing stars and shaping rocks.
class Random {
public:
    explicit Random(uint64_t seed) : state(seed) {}

    uint64_t next() {
        uint64_t z = (state += 0x9e3779b97f4a7c15ULL);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
        return z ^ (z >> 31);
    }

    // Uniform in [0, 1).
    double uniform() { return static_cast<double>(next() >> 11) * (1.0 / 9007199254740992.0); }
    float range(float low, float high) { return low + (high - low) * static_cast<float>(uniform()); }
    int below(int n) { return static_cast<int>(uniform() * n); }
    bool chance(double p) { return uniform() < p; }

    // Standard normal by Box-Muller; one value per call keeps the sequence simple.
    float gaussian() {
        double u1 = uniform();
        double u2 = uniform();
        if (u1 < 1e-12) u1 = 1e-12;
        return static_cast<float>(std::sqrt(-2.0 * std::log(u1)) * std::cos(6.283185307179586 * u2));
    }

private:
    uint64_t state;
};

}  // namespace datagen
