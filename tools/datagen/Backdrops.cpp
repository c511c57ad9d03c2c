// Full-screen backdrops, 1024 x 512. The game shows their middle 911 columns (x 56 to 967),
// so everything that matters stays there.
#include <algorithm>
#include <cmath>

#include "Noise.h"
#include "Paint.h"
#include "Pictures.h"
#include "Shapes.h"

namespace datagen {
namespace {

const int W = 1024;
const int H = 512;

float bandAround(float v, float centre, float width) { return std::exp(-std::pow((v - centre) / width, 2.0f)); }

// A glowing ground plane seen from low above: dark basalt crossed by rivers of lava, fading
// into haze towards the horizon.
void addLavaPlain(Image& image, float horizon, uint32_t seed, float heat) {
    FractalSpec warp;
    warp.seed = seed;
    warp.octaves = 4;
    FractalSpec rock = warp;
    rock.seed = seed + 7u;
    rock.octaves = 5;
    rock.gradient = false;
    static const Gradient lava{{0.0f, rgb(0, 0, 0)}, {0.4f, hex(0x5a0d04)}, {0.7f, hex(0xd6450c)},
                               {0.9f, hex(0xffa030)}, {1.0f, hex(0xffe7a0)}};
    for (int y = static_cast<int>(horizon); y < image.height; ++y) {
        float below = y + 0.5f - horizon;
        float depth = 60.0f / (below + 1.5f);  // distance along the ground
        for (int x = 0; x < image.width; ++x) {
            float wx = (x + 0.5f - 512.0f) / 512.0f * depth * 1.6f;
            float wz = depth;
            float qx = fbm(wx * 0.5f, wz * 0.5f, warp);
            CellSample cell = cellular(wx * 0.6f + qx * 0.8f, wz * 0.9f + qx, 0, 0, seed + 3u, 0.95f);
            float gap = cell.f2 - cell.f1;
            // Rivers get thinner in the distance but never below a pixel's worth of glow.
            float width = 0.09f + 0.02f * depth;
            float river = 1.0f - smoothstep(0.0f, width, gap);
            float basalt = 0.5f + 0.5f * fbm(wx * 2.0f, wz * 2.0f, rock);
            float haze = std::exp(-below / 14.0f);
            Rgba ground{0.035f + 0.03f * basalt, 0.022f + 0.02f * basalt, 0.035f + 0.025f * basalt, 1.0f};
            Rgba glow = lava(river);
            float fade = 1.0f - haze;
            Rgba& p = image.at(x, y);
            p.r = ground.r * fade + glow.r * heat * fade + p.r * haze * 0.0f;
            p.g = ground.g * fade + glow.g * heat * fade;
            p.b = ground.b * fade + glow.b * heat * fade;
            // Haze at the horizon: the lava's light scattered in the air.
            p.r += haze * 0.55f;
            p.g += haze * 0.16f;
            p.b += haze * 0.12f;
        }
    }
}

// A crescent moon with a faint earthshine on its dark side and a wide halo.
void addMoon(Image& image, float cx, float cy, float r, const Rgba& tint) {
    addGlow(image, cx, cy, r * 3.5f, r * 3.5f, tint, 0.07f);
    addGlow(image, cx, cy, r * 1.6f, r * 1.6f, tint, 0.12f);
    FractalSpec craters;
    craters.seed = 0x300u;
    craters.octaves = 4;
    for (int y = static_cast<int>(cy - r - 2); y <= static_cast<int>(cy + r + 2); ++y) {
        for (int x = static_cast<int>(cx - r - 2); x <= static_cast<int>(cx + r + 2); ++x) {
            Vec2 p{x + 0.5f, y + 0.5f};
            float disc = coverage(length(p - Vec2{cx, cy}) - r);
            if (disc <= 0.0f) continue;
            float shadow = coverage(length(p - Vec2{cx + r * 0.42f, cy - r * 0.22f}) - r * 0.93f);
            float lit = disc * (1.0f - shadow);
            float surface = 0.82f + 0.18f * fbm(p.x / 9.0f, p.y / 9.0f, craters);
            Rgba& px = image.at(x, y);
            Rgba moon = scale(tint, surface);
            float a = lit + disc * 0.06f;  // earthshine
            px = lerp(px, Rgba{moon.r, moon.g, moon.b, 1.0f}, clamp01(a));
        }
    }
}

// Faint runes cut into the sky in a wide circle: the world's magic, seen from afar.
void addRuneCircle(Image& image, float cx, float cy, float radius, int count, uint32_t seed, const Rgba& colour,
                   float strength) {
    Random random(seed);
    Field ink(image.width, image.height);
    StrokeSet ring;
    ring.circle(Vec2{cx, cy}, radius);
    ring.circle(Vec2{cx, cy}, radius * 0.78f);
    for (int i = 0; i < count; ++i) {
        float angle = 6.2831853f * i / count;
        float r = radius * 0.89f;
        StrokeSet glyph = randomGlyph(random).transformed(radius * 0.07f, Vec2{cx + std::cos(angle) * r, cy + std::sin(angle) * r});
        int x0 = std::max(0, static_cast<int>(cx + std::cos(angle) * r - radius * 0.12f));
        int x1 = std::min(image.width - 1, static_cast<int>(cx + std::cos(angle) * r + radius * 0.12f));
        int y0 = std::max(0, static_cast<int>(cy + std::sin(angle) * r - radius * 0.12f));
        int y1 = std::min(image.height - 1, static_cast<int>(cy + std::sin(angle) * r + radius * 0.12f));
        for (int y = y0; y <= y1; ++y) {
            for (int x = x0; x <= x1; ++x) {
                float d = glyph.distance(Vec2{x + 0.5f, y + 0.5f}) - radius * 0.007f;
                ink.at(x, y) = std::max(ink.at(x, y), coverage(d));
            }
        }
    }
    int x0 = std::max(0, static_cast<int>(cx - radius - 4)), x1 = std::min(image.width - 1, static_cast<int>(cx + radius + 4));
    int y0 = std::max(0, static_cast<int>(cy - radius - 4)), y1 = std::min(image.height - 1, static_cast<int>(cy + radius + 4));
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            float d = ring.distance(Vec2{x + 0.5f, y + 0.5f}) - 0.6f;
            ink.at(x, y) = std::max(ink.at(x, y), coverage(d));
        }
    }
    Field glow = ink;
    blur(glow, 4.0f);
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            float v = ink.at(x, y) * 0.8f + glow.at(x, y) * 1.6f;
            if (v > 0.0f) image.add(x, y, colour, strength * v);
        }
    }
}

}  // namespace

Image makeGalleryBackground() {
    const float horizon = 300.0f;
    Image image(W, H);
    fillVertical(image, Gradient{{0.0f, hex(0x030209)},
                                 {0.3f, hex(0x090720)},
                                 {0.5f, hex(0x1a0d33)},
                                 {horizon / H, hex(0x4a1634)},
                                 {1.0f, hex(0x07040a)}});
    NebulaSpec band;
    band.seed = 41u;
    band.cells = 3.5f;
    band.warp = 1.6f;
    band.threshold = -0.1f;
    band.strength = 0.33f;
    band.colours = Gradient{{0.0f, hex(0x120a30)}, {0.5f, hex(0x5a2a8a)}, {0.8f, hex(0x2f8fb0)}, {1.0f, hex(0xc0f0ff)}};
    band.mask = [](float u, float v) { return bandAround(v, 0.52f - 0.42f * u, 0.16f) * smoothstep(0.6f, 0.45f, v); };
    addNebula(image, band);
    Random random(42u);
    addStars(image, random, 1500, 1.0f, [](float u, float v) {
        return smoothstep(0.6f, 0.48f, v) * (0.35f + 0.65f * bandAround(v, 0.52f - 0.42f * u, 0.2f));
    });
    addMoon(image, 200.0f, 112.0f, 30.0f, hex(0xf4ecff));
    addRuneCircle(image, 512.0f, horizon, 250.0f, 24, 77u, hex(0x8a5cff), 0.12f);
    addGlow(image, 512.0f, horizon, 520.0f, 46.0f, hex(0xff5a28), 0.45f);
    addGlow(image, 512.0f, horizon, 300.0f, 14.0f, hex(0xffb070), 0.35f);
    // Far range in violet haze, lower in the middle so the carousel's centre stays open.
    addRidge(image, 5u, horizon - 6.0f, 70.0f, 5.0f, hex(0x1a0f2c), hex(0x8a3050), 4.0f,
             [](float u) { return 0.25f + 0.75f * std::pow(std::fabs(u - 0.5f) * 2.0f, 1.3f); });
    addLavaPlain(image, horizon, 91u, 0.9f);
    // Near crags at both sides, black against the glow.
    addRidge(image, 9u, horizon + 40.0f, 150.0f, 3.0f, hex(0x050307), hex(0xa03a18), 2.5f,
             [](float u) { return std::pow(std::fabs(u - 0.5f) * 2.0f, 2.2f); });
    vignette(image, 0.45f);
    return image;
}

Image makeStarField(int variant) {
    Image image(W, H);
    Random random(1000u + static_cast<uint64_t>(variant));
    NebulaSpec nebula;
    nebula.seed = 300u + static_cast<uint32_t>(variant);
    switch (variant) {
        case 1:  // Deep blue night with a pale milky way.
            fillVertical(image, Gradient{{0.0f, hex(0x02030c)}, {0.6f, hex(0x060b22)}, {1.0f, hex(0x0b1430)}});
            nebula.cells = 3.0f;
            nebula.warp = 1.4f;
            nebula.threshold = -0.2f;
            nebula.strength = 0.38f;
            nebula.colours = Gradient{{0.0f, hex(0x0a1030)}, {0.5f, hex(0x2a3d80)}, {0.85f, hex(0x7aa8e0)}, {1.0f, hex(0xe8f0ff)}};
            nebula.mask = [](float u, float v) { return bandAround(v, 0.15f + 0.7f * u, 0.2f); };
            break;
        case 2:  // Violet and rose nebula (clouds drift over it in the game).
            fillVertical(image, Gradient{{0.0f, hex(0x07020e)}, {0.6f, hex(0x12061f)}, {1.0f, hex(0x1e0a22)}});
            nebula.cells = 2.5f;
            nebula.warp = 2.0f;
            nebula.threshold = -0.3f;
            nebula.strength = 0.5f;
            nebula.colours = Gradient{{0.0f, hex(0x1a0630)}, {0.45f, hex(0x6a1a78)}, {0.75f, hex(0xd0407a)}, {1.0f, hex(0xffd0e0)}};
            nebula.mask = [](float u, float v) {
                return 0.25f + 0.75f * std::max(bandAround(u, 0.22f, 0.2f) * bandAround(v, 0.35f, 0.4f),
                                                bandAround(u, 0.8f, 0.22f) * bandAround(v, 0.65f, 0.35f));
            };
            break;
        default:  // Ember sky above a lava sea: red dust, amber light from below.
            fillVertical(image, Gradient{{0.0f, hex(0x060204)}, {0.55f, hex(0x12050a)}, {1.0f, hex(0x3a0e08)}});
            nebula.cells = 3.5f;
            nebula.warp = 1.8f;
            nebula.threshold = -0.15f;
            nebula.strength = 0.45f;
            nebula.colours = Gradient{{0.0f, hex(0x200608)}, {0.5f, hex(0x7a1a10)}, {0.8f, hex(0xe06a20)}, {1.0f, hex(0xffe0a0)}};
            nebula.mask = [](float u, float v) { return 0.35f + 0.65f * bandAround(v, 0.3f + 0.25f * std::sin(u * 4.0f), 0.25f); };
            break;
    }
    addNebula(image, nebula);
    // A second, finer and dimmer layer of dust for depth.
    NebulaSpec dust = nebula;
    dust.seed += 50u;
    dust.cells *= 2.6f;
    dust.strength *= 0.35f;
    dust.threshold = 0.1f;
    addNebula(image, dust);
    addStars(image, random, 1700, 1.0f, [&nebula](float u, float v) { return 0.4f + 0.6f * nebula.mask(u, v); });
    if (variant == 3) addGlow(image, 512.0f, 560.0f, 700.0f, 160.0f, hex(0xff5010), 0.35f);
    if (variant == 1) addGlow(image, 760.0f, 140.0f, 260.0f, 120.0f, hex(0x3050a0), 0.12f);
    vignette(image, 0.4f);
    return image;
}

Image makeCrystals() {
    // A crystal cave: dark rock, clusters of glowing green-cyan crystals growing in from the
    // corners and edges, the middle left open and dim for the stones.
    Image image(W, H);
    fillVertical(image, Gradient{{0.0f, hex(0x030807)}, {0.5f, hex(0x06120f)}, {1.0f, hex(0x030807)}});
    FractalSpec rock;
    rock.seed = 600u;
    rock.octaves = 6;
    for (int y = 0; y < H; ++y) {
        for (int x = 0; x < W; ++x) {
            float r = ridged(x / 160.0f, y / 160.0f, rock);
            image.add(x, y, hex(0x10221e), r * 0.9f);
        }
    }
    addGlow(image, 512.0f, 256.0f, 420.0f, 220.0f, hex(0x0d4a40), 0.35f);

    Random random(601u);
    struct Crystal {
        Vec2 base;
        float angle, length, width;
        float hue;
    };
    std::vector<Crystal> crystals;
    // Clusters: root point and the direction they grow (towards the centre, roughly).
    const Vec2 roots[] = {{70, 500}, {180, 520}, {930, 510}, {990, 430}, {60, 20}, {960, 0}, {520, 525}, {330, -10}, {720, -10}};
    for (const Vec2& root : roots) {
        float towards = std::atan2(256.0f - root.y, 512.0f - root.x);
        int n = 5 + random.below(5);
        for (int i = 0; i < n; ++i) {
            Crystal c;
            c.base = root + Vec2{random.range(-40, 40), random.range(-20, 20)};
            c.angle = towards + random.range(-0.9f, 0.9f);
            c.length = random.range(70.0f, 190.0f);
            c.width = c.length * random.range(0.12f, 0.2f);
            c.hue = random.range(0.0f, 1.0f);
            crystals.push_back(c);
        }
    }
    // Longest first, so short crystals sit in front.
    std::sort(crystals.begin(), crystals.end(), [](const Crystal& a, const Crystal& b) { return a.length > b.length; });
    static const Gradient hues{{0.0f, hex(0x2de0a0)}, {0.5f, hex(0x30c8e0)}, {1.0f, hex(0x80f0c0)}};
    for (const Crystal& c : crystals) {
        Vec2 dir{std::cos(c.angle), std::sin(c.angle)};
        Vec2 side{-dir.y, dir.x};
        Vec2 shoulderL = c.base + dir * (c.length * 0.78f) + side * (c.width * 0.5f);
        Vec2 shoulderR = c.base + dir * (c.length * 0.78f) - side * (c.width * 0.5f);
        Vec2 tip = c.base + dir * c.length;
        Vec2 baseL = c.base + side * (c.width * 0.5f);
        Vec2 baseR = c.base - side * (c.width * 0.5f);
        Vec2 midTop = c.base + dir * (c.length * 0.8f);
        // Two facets, split along the crystal's axis, lit differently.
        std::vector<Vec2> left = {baseL, shoulderL, tip, midTop, c.base};
        std::vector<Vec2> right = {c.base, midTop, tip, shoulderR, baseR};
        Rgba colour = hues(c.hue);
        float x0 = std::min({baseL.x, baseR.x, tip.x, shoulderL.x, shoulderR.x}) - 24;
        float x1 = std::max({baseL.x, baseR.x, tip.x, shoulderL.x, shoulderR.x}) + 24;
        float y0 = std::min({baseL.y, baseR.y, tip.y, shoulderL.y, shoulderR.y}) - 24;
        float y1 = std::max({baseL.y, baseR.y, tip.y, shoulderL.y, shoulderR.y}) + 24;
        for (int y = std::max(0, static_cast<int>(y0)); y <= std::min(H - 1, static_cast<int>(y1)); ++y) {
            for (int x = std::max(0, static_cast<int>(x0)); x <= std::min(W - 1, static_cast<int>(x1)); ++x) {
                Vec2 p{x + 0.5f, y + 0.5f};
                float dl = signedDistanceToPolygon(p, left);
                float dr = signedDistanceToPolygon(p, right);
                float d = std::min(dl, dr);
                // Light along the crystal: brighter towards the tip, which glows.
                Vec2 rel = p - c.base;
                float along = clamp01((rel.x * dir.x + rel.y * dir.y) / c.length);
                float inner = 0.25f + 0.75f * std::pow(along, 1.5f);
                if (d < 1.0f) {
                    float facet = dl < dr ? 1.0f : 0.55f;
                    float edge = std::exp(-std::fabs(std::min(std::fabs(dl), std::fabs(dr))) / 1.4f);
                    Rgba body = scale(colour, inner * facet * 0.55f + edge * 0.5f);
                    Rgba& px = image.at(x, y);
                    px = lerp(px, Rgba{body.r, body.g, body.b, 1.0f}, coverage(d));
                }
                float glow = std::exp(-std::max(0.0f, d) / 10.0f) * 0.12f * inner;
                image.add(x, y, colour, glow);
            }
        }
        addGlow(image, tip.x, tip.y, 10.0f, 10.0f, hex(0xd8fff0), 0.35f);
    }
    // Motes of light floating in the cave.
    for (int i = 0; i < 160; ++i) {
        float x = random.range(0, W), y = random.range(0, H);
        splatStar(image, x, y, random.range(0.05f, 0.35f), hues(random.range(0, 1)), random.range(0.6f, 1.6f), 0.0f);
    }
    vignette(image, 0.5f);
    return image;
}

Image makeRunesBackground(int level) {
    // An ancient wall of dark stone blocks with faint carved runes, a great magic circle
    // glowing in the middle. Level 1 cold blue, level 2 violet, level 3 ember.
    static const Rgba tints[3] = {hex(0x3aa8ff), hex(0xb060ff), hex(0xff6a28)};
    static const Rgba stones[3] = {hex(0x0d1420), hex(0x150e20), hex(0x1c0e0a)};
    int index = std::min(2, std::max(0, level - 1));
    Rgba tint = tints[index];
    Image image(W, H);
    FractalSpec grainSpec;
    grainSpec.seed = 700u + static_cast<uint32_t>(level);
    grainSpec.octaves = 5;
    FractalSpec wear = grainSpec;
    wear.seed += 31u;
    wear.octaves = 3;
    const float rowHeight = 64.0f;
    for (int y = 0; y < H; ++y) {
        int row = static_cast<int>(y / rowHeight);
        float inRow = std::fmod(static_cast<float>(y), rowHeight);
        float blockWidth = 128.0f + 32.0f * (row % 3);
        float offset = (row % 2) * blockWidth * 0.5f + 17.0f * row;
        for (int x = 0; x < W; ++x) {
            float bx = std::fmod(x + offset, blockWidth);
            int blockId = static_cast<int>((x + offset) / blockWidth) * 31 + row * 7;
            float edge = std::min({bx, blockWidth - bx, inRow, rowHeight - inRow});
            float mortar = smoothstep(1.0f, 4.0f, edge);
            float bevel = 1.0f - 0.25f * std::exp(-edge / 5.0f);
            float g = 0.5f + 0.5f * fbm(x / 40.0f, y / 40.0f, grainSpec);
            float shade = 0.75f + 0.5f * unitFloat(hash32(static_cast<uint32_t>(blockId) + 91u * level)) * 0.5f;
            float w = 0.5f + 0.5f * fbm(x / 200.0f, y / 200.0f, wear);
            Rgba c = scale(stones[index], (0.6f + 0.8f * g) * shade * bevel * mortar * (0.7f + 0.6f * w));
            c.a = 1.0f;
            image.at(x, y) = c;
        }
    }
    // Carved runes on some blocks, each faintly lit from within.
    Random random(800u + static_cast<uint64_t>(level));
    Field ink(W, H);
    for (int i = 0; i < 26; ++i) {
        float x = random.range(60.0f, 964.0f);
        float y = random.range(30.0f, 482.0f);
        float size = random.range(9.0f, 16.0f);
        StrokeSet glyph = randomGlyph(random).transformed(size, Vec2{x, y});
        for (int py = static_cast<int>(y - size * 1.3f); py <= static_cast<int>(y + size * 1.3f); ++py) {
            for (int px = static_cast<int>(x - size * 1.3f); px <= static_cast<int>(x + size * 1.3f); ++px) {
                if (px < 0 || py < 0 || px >= W || py >= H) continue;
                float d = glyph.distance(Vec2{px + 0.5f, py + 0.5f}) - 1.3f;
                ink.at(px, py) = std::max(ink.at(px, py), coverage(d));
            }
        }
    }
    Field inkGlow = ink;
    blur(inkGlow, 5.0f);
    for (int y = 0; y < H; ++y) {
        for (int x = 0; x < W; ++x) {
            Rgba& p = image.at(x, y);
            float carved = ink.at(x, y);
            p = lerp(p, scale(p, 0.35f), carved);  // the groove is dark...
            image.add(x, y, tint, carved * 0.22f + inkGlow.at(x, y) * 0.45f);  // ...and glows softly
        }
    }
    addGlow(image, 512.0f, 256.0f, 330.0f, 200.0f, tint, 0.16f);
    addRuneCircle(image, 512.0f, 256.0f, 235.0f, 28, 900u + static_cast<uint32_t>(level), tint, 0.22f);
    vignette(image, 0.6f);
    return image;
}

Image makeExitScreen(const TextRenderer& text) {
    // Goodbye under the night sky: the gallery's world, darker, with the words in its middle.
    Image image(W, H);
    fillVertical(image, Gradient{{0.0f, hex(0x020108)}, {0.55f, hex(0x0d0820)}, {0.74f, hex(0x35112a)}, {1.0f, hex(0x050306)}});
    NebulaSpec band;
    band.seed = 1201u;
    band.cells = 3.0f;
    band.warp = 1.5f;
    band.threshold = -0.1f;
    band.strength = 0.25f;
    band.colours = Gradient{{0.0f, hex(0x120a30)}, {0.55f, hex(0x4a2a8a)}, {0.85f, hex(0x2f7fb0)}, {1.0f, hex(0xc0f0ff)}};
    band.mask = [](float u, float v) { return bandAround(v, 0.2f + 0.3f * u, 0.2f) * smoothstep(0.78f, 0.6f, v); };
    addNebula(image, band);
    Random random(1202u);
    addStars(image, random, 1300, 0.9f, [](float, float v) { return smoothstep(0.8f, 0.65f, v); });
    const float horizon = 380.0f;
    addGlow(image, 512.0f, horizon, 500.0f, 40.0f, hex(0xff5a28), 0.4f);
    addRidge(image, 1203u, horizon - 4.0f, 60.0f, 5.0f, hex(0x120a1c), hex(0x8a3050), 4.0f);
    addLavaPlain(image, horizon, 1204u, 0.7f);
    addRidge(image, 1205u, horizon + 30.0f, 110.0f, 3.0f, hex(0x040206), hex(0x902c14), 2.5f,
             [](float u) { return std::pow(std::fabs(u - 0.5f) * 2.0f, 2.0f); });

    struct Line {
        const char* font;
        int size;
        const char* words;
        float centreY;
        Rgba colour;
        float glow;
    };
    const Line lines[] = {
        {"DejaVuSerif-Bold.ttf", 84, "Farewell", 170.0f, hex(0xffe8b0), 0.9f},
        {"DejaVuSerif-Italic.ttf", 28, "Thank you for playing Quandrels", 250.0f, hex(0xe8e0ff), 0.45f},
        {"DejaVuSans.ttf", 17, "Click or press Esc to close", 300.0f, hex(0xb8b0d0), 0.25f},
    };
    for (const Line& line : lines) {
        Field letters = text.renderFitting(line.font, line.size, 860, line.words);
        if (letters.width == 0) continue;
        Field placed(W, H);
        int left = (W - letters.width) / 2;
        int top = static_cast<int>(line.centreY - letters.height / 2.0f);
        for (int y = 0; y < letters.height; ++y) {
            for (int x = 0; x < letters.width; ++x) {
                int px = left + x, py = top + y;
                if (px >= 0 && py >= 0 && px < W && py < H) placed.at(px, py) = letters.at(x, y);
            }
        }
        Field glow = placed;
        blur(glow, line.size * 0.25f);
        for (int y = 0; y < H; ++y) {
            for (int x = 0; x < W; ++x) {
                image.add(x, y, line.colour, glow.at(x, y) * line.glow);
                image.over(x, y, line.colour, placed.at(x, y));
            }
        }
    }
    vignette(image, 0.5f);
    return image;
}

}  // namespace datagen
