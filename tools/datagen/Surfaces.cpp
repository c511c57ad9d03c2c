// Tiling surfaces: the three stone materials, the drifting clouds and the rune tiles' face.
// All noise here is periodic over the picture so that opposite edges join seamlessly.
#include <algorithm>
#include <cmath>

#include "Noise.h"
#include "Paint.h"
#include "Pictures.h"

namespace datagen {
namespace {

struct MoltenSpec {
    uint32_t seed;
    int plates;     // crust plates across the tile (cellular period)
    int flowCells;  // warp and pool noise period
    float moltenShare;
    Gradient heat;
    Rgba crustTint;
};

// Cooling crust plates floating on a molten flow: glowing cracks along the plate borders,
// hot pools where the warped flow rises, and fine grain on the crust.
Image makeMolten(const MoltenSpec& spec) {
    const int size = 256;
    Image image(size, size);
    FractalSpec flow;
    flow.seed = spec.seed;
    flow.octaves = 5;
    flow.periodX = flow.periodY = spec.flowCells;
    FractalSpec warpA = flow, warpB = flow;
    warpA.seed = spec.seed + 11u;
    warpA.octaves = 3;
    warpB.seed = spec.seed + 23u;
    warpB.octaves = 3;
    FractalSpec detail;
    detail.seed = spec.seed + 37u;
    detail.octaves = 4;
    detail.periodX = detail.periodY = 16;
    detail.gradient = false;

    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            float u = (x + 0.5f) / size, v = (y + 0.5f) / size;
            float fx = u * spec.flowCells, fy = v * spec.flowCells;
            float wx = fbm(fx, fy, warpA), wy = fbm(fx + 3.1f, fy + 7.7f, warpB);
            float pool = fbm(fx + 0.9f * wx, fy + 0.9f * wy, flow);

            // Plates: distorted by the same warp so the cracks meander; each plate is broken
            // again by finer, fainter cracks.
            float px = u * spec.plates + 0.35f * wx, py = v * spec.plates + 0.35f * wy;
            CellSample cell = cellular(px, py, spec.plates, spec.plates, spec.seed + 51u, 0.85f);
            float edgeGap = cell.f2 - cell.f1;
            float crack = 1.0f - smoothstep(0.0f, 0.14f, edgeGap);
            float crackGlow = 1.0f - smoothstep(0.0f, 0.6f, edgeGap);
            int fine = spec.plates * 3;
            CellSample small =
                cellular(u * fine + 0.5f * wy, v * fine + 0.5f * wx, fine, fine, spec.seed + 77u, 0.9f);
            float fineCrack = 1.0f - smoothstep(0.0f, 0.12f, small.f2 - small.f1);

            // Each plate cools at its own rate; its centre is the coolest part.
            float plateHeat = 0.12f + unitFloat(cell.id) * 0.22f;
            float grainValue = fbm(u * 16.0f, v * 16.0f, detail);

            float molten = smoothstep(0.55f - spec.moltenShare, 0.95f - spec.moltenShare, pool);
            float heat = std::max({crack * 0.95f, crackGlow * 0.55f + plateHeat,
                                   fineCrack * 0.5f * crackGlow + plateHeat, molten});
            heat = clamp01(heat + 0.08f * grainValue * (1.0f - molten));
            Rgba c = spec.heat(heat);
            // Crust gets a faint rocky texture of its own.
            float crust = 1.0f - smoothstep(0.2f, 0.45f, heat);
            float rock = 0.5f + 0.5f * grainValue;
            c.r += crust * spec.crustTint.r * rock;
            c.g += crust * spec.crustTint.g * rock;
            c.b += crust * spec.crustTint.b * rock;
            image.at(x, y) = c;
        }
    }
    return image;
}

}  // namespace

Image makeLava() {
    return makeMolten(MoltenSpec{0x1a7a0001u, 5, 3, 0.28f,
                                 Gradient{{0.0f, hex(0x0a0505)},
                                          {0.22f, hex(0x220b07)},
                                          {0.42f, hex(0x6e1606)},
                                          {0.6f, hex(0xc93a08)},
                                          {0.78f, hex(0xff8a1c)},
                                          {0.92f, hex(0xffd45a)},
                                          {1.0f, hex(0xfff6c8)}},
                                 rgb(0.09f, 0.06f, 0.06f)});
}

Image makeGreenLava() {
    return makeMolten(MoltenSpec{0x9e3e0002u, 5, 3, 0.28f,
                                 Gradient{{0.0f, hex(0x040807)},
                                          {0.22f, hex(0x081c16)},
                                          {0.42f, hex(0x0d4a36)},
                                          {0.6f, hex(0x18a06a)},
                                          {0.78f, hex(0x44e39b)},
                                          {0.92f, hex(0xaaffd2)},
                                          {1.0f, hex(0xf0fff6)}},
                                 rgb(0.05f, 0.08f, 0.07f)});
}

Image makeWater() {
    // Deep water with caustic light nets: the thin bright borders of warped cells, two layers.
    const int size = 256;
    Image image(size, size);
    FractalSpec warp;
    warp.seed = 0x3a7e0003u;
    warp.octaves = 3;
    warp.periodX = warp.periodY = 3;
    FractalSpec depth = warp;
    depth.seed = 0x3a7e0004u;
    depth.octaves = 5;
    static const Gradient ramp{{0.0f, hex(0x020d24)},  {0.3f, hex(0x05306a)}, {0.55f, hex(0x0b67a8)},
                               {0.75f, hex(0x22b4e0)}, {0.9f, hex(0x9cf2ff)}, {1.0f, hex(0xf4ffff)}};
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            float u = (x + 0.5f) / size, v = (y + 0.5f) / size;
            float wx = fbm(u * 3.0f, v * 3.0f, warp);
            float wy = fbm(u * 3.0f + 4.3f, v * 3.0f + 1.7f, warp);
            CellSample a = cellular(u * 6.0f + 0.45f * wx, v * 6.0f + 0.45f * wy, 6, 6, 0x3a7e0005u);
            CellSample b = cellular(u * 9.0f - 0.5f * wy, v * 9.0f + 0.5f * wx, 9, 9, 0x3a7e0006u);
            float netA = 1.0f - smoothstep(0.0f, 0.11f, a.f2 - a.f1);
            float netB = 1.0f - smoothstep(0.0f, 0.09f, b.f2 - b.f1);
            float deep = 0.5f + 0.5f * fbm(u * 3.0f, v * 3.0f, depth);
            float light = clamp01(0.18f + 0.38f * deep + 0.42f * netA + 0.28f * netB + 0.25f * netA * netB);
            image.at(x, y) = ramp(light);
        }
    }
    return image;
}

Image makeClouds() {
    // Soft banks of cloud, denser at the top and bottom so the middle of the screen stays
    // clear, lit from above (pale rims) and shaded below. Periodic left to right: the game
    // scrolls this picture sideways forever.
    const int w = 512, h = 256;
    FractalSpec shape;
    shape.seed = 0xc10d0001u;
    shape.octaves = 6;
    shape.periodX = 4;
    FractalSpec warp = shape;
    warp.seed = 0xc10d0002u;
    warp.octaves = 3;
    Field density(w, h);
    for (int y = 0; y < h; ++y) {
        float v = (y + 0.5f) / h;
        float band = 0.3f + 0.7f * std::max(smoothstep(0.45f, 0.05f, v), smoothstep(0.6f, 0.97f, v));
        for (int x = 0; x < w; ++x) {
            float u = (x + 0.5f) / w;
            // Stretched sideways: four cells across the width, about two and a half down.
            float cx = u * 4.0f, cy = v * 2.6f;
            float wx = fbm(cx, cy, warp);
            float n = fbm(cx + 0.6f * wx, cy + 0.25f * wx, shape) * 0.5f + 0.5f;
            density.at(x, y) = clamp01((n * band - 0.3f) / 0.45f);
        }
    }
    static const Gradient body{{0.0f, hex(0x4a3a70)}, {0.5f, hex(0x8e7cc0)}, {1.0f, hex(0xe6dcff)}};
    Image image(w, h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            float d = density.at(x, y);
            // Light comes from above: where the cloud thins upwards, its top is lit.
            float above = density.at(x, std::max(0, y - 4));
            float below = density.at(x, std::min(h - 1, y + 4));
            float lit = clamp01(0.55f + 2.2f * (d - above) - 1.2f * (d - below) * 0.5f);
            Rgba c = body(lit);
            c.a = std::pow(smoothstep(0.0f, 1.0f, d), 1.3f) * 0.8f;
            image.at(x, y) = c;
        }
    }
    return image;
}

Image makeRuneBorder() {
    // The face of a rune tile: a dark translucent slab with slow streams of light rising
    // through it and two glowing rails at its sides. Periodic top to bottom (it scrolls).
    const int size = 128;
    Image image(size, size);
    FractalSpec stream;
    stream.seed = 0xb0de0001u;
    stream.octaves = 5;
    stream.periodX = 0;
    stream.periodY = 2;
    FractalSpec sparkle = stream;
    sparkle.seed = 0xb0de0002u;
    sparkle.periodY = 8;
    static const Gradient ramp{{0.0f, hex(0x0c0a22)},
                               {0.45f, hex(0x1d1850)},
                               {0.7f, hex(0x3c3aa8)},
                               {0.88f, hex(0x7fb0ff)},
                               {1.0f, hex(0xe6f4ff)}};
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            float u = (x + 0.5f) / size, v = (y + 0.5f) / size;
            // Streams: noise stretched vertically, three lanes wide.
            float n = fbm(u * 6.0f, v * 2.0f, stream) * 0.5f + 0.5f;
            float lanes = 0.5f + 0.5f * std::sin(6.2831853f * (u * 2.5f + 0.35f * n));
            float energy = clamp01(0.25f + 0.55f * n * (0.55f + 0.45f * lanes));
            float dots = std::pow(clamp01(fbm(u * 16.0f, v * 8.0f, sparkle) * 0.5f + 0.5f), 6.0f) * 1.4f;
            energy = clamp01(energy + dots);
            // Rails: bright lines near both sides with a soft inner glow.
            float edge = std::min(u, 1.0f - u) * size;
            float rail = std::exp(-std::pow((edge - 5.0f) / 1.6f, 2.0f)) + 0.35f * std::exp(-edge / 14.0f);
            Rgba c = ramp(energy);
            c.r += rail * 0.75f;
            c.g += rail * 0.82f;
            c.b += rail * 1.0f;
            c.a = clamp01(0.78f + 0.2f * energy + rail * 0.3f);
            // The outermost pixels fade so the tile's sides are not cut hard.
            c.a *= smoothstep(0.0f, 2.5f, edge);
            image.at(x, y) = c;
        }
    }
    return image;
}

}  // namespace datagen
