// Full-screen backdrops, 1024 x 512. The game shows their middle 911 columns (x 56 to 967),
// so everything that matters stays there.
#include <algorithm>
#include <cmath>
#include <functional>

#include "Noise.h"
#include "Paint.h"
#include "Pictures.h"
#include "Shapes.h"

namespace datagen {
namespace {

const int W = 1024;
const int H = 512;

float bandAround(float v, float centre, float width) {
    return std::exp(-std::pow((v - centre) / width, 2.0f));
}

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
    static const Gradient lava{{0.0f, rgb(0, 0, 0)},
                               {0.4f, hex(0x5a0d04)},
                               {0.7f, hex(0xd6450c)},
                               {0.9f, hex(0xffa030)},
                               {1.0f, hex(0xffe7a0)}};
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
            p.r = ground.r * fade + glow.r * heat * fade;
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

// A magic circle: double rings holding a band of runes, a star polygon with small rings at
// its points, and a ring at the heart; drawn as light with a two-stage bloom.
void addMagicCircle(Image& image, Vec2 centre, float radius, int glyphs, int points, uint32_t seed,
                    const Rgba& colour, float strength, float halfWidth) {
    Random random(seed);
    StrokeSet art;
    art.circle(centre, radius);
    art.circle(centre, radius * 0.95f);
    art.circle(centre, radius * 0.70f);
    art.circle(centre, radius * 0.66f);
    art.circle(centre, radius * 0.22f);
    const float tau = 6.2831853f;
    int step = points / 2 - (points % 2 == 0 ? 1 : 0);
    for (int i = 0; i < points; ++i) {
        float a0 = tau * i / points - tau / 4.0f;
        float a1 = tau * ((i + step) % points) / points - tau / 4.0f;
        Vec2 p0 = centre + Vec2{std::cos(a0), std::sin(a0)} * (radius * 0.66f);
        Vec2 p1 = centre + Vec2{std::cos(a1), std::sin(a1)} * (radius * 0.66f);
        art.line(p0, p1);
        art.circle(centre + Vec2{std::cos(a0), std::sin(a0)} * (radius * 0.66f), radius * 0.045f);
    }
    std::vector<StrokeSet> letters;
    for (int i = 0; i < glyphs; ++i) {
        float a = tau * (i + 0.5f) / glyphs;
        Vec2 at = centre + Vec2{std::cos(a), std::sin(a)} * (radius * 0.825f);
        letters.push_back(randomGlyph(random).transformed(radius * 0.075f, at, a + tau / 4.0f));
    }
    // Work in the circle's own box (with room for the bloom) rather than the whole picture.
    const int margin = 48;
    int left = static_cast<int>(centre.x - radius) - margin,
        top = static_cast<int>(centre.y - radius) - margin;
    int size = static_cast<int>(2.0f * radius) + 2 * margin;
    Field ink(size, size);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            Vec2 p{left + x + 0.5f, top + y + 0.5f};
            Vec2 rel = p - centre;
            float r = length(rel) / radius;
            if (r > 1.05f) continue;
            float d = art.distance(p);
            if (r > 0.68f && r < 0.97f) {
                // Only the letters next to this angle can be near.
                float turn = std::atan2(rel.y, rel.x) / tau;
                if (turn < 0.0f) turn += 1.0f;
                int nearest = static_cast<int>(turn * glyphs);
                for (int k = -1; k <= 1; ++k) {
                    d = std::min(d,
                                 letters[static_cast<size_t>((nearest + k + glyphs) % glyphs)].distance(p));
                }
            }
            ink.at(x, y) = coverage(d - halfWidth);
        }
    }
    Field near = ink, far = ink;
    blur(near, 3.0f);
    blur(far, 14.0f);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            float v = ink.at(x, y) * 0.9f + near.at(x, y) * 1.4f + far.at(x, y) * 1.2f;
            if (v > 0.0f) image.add(left + x, top + y, colour, strength * v);
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
    band.colours =
        Gradient{{0.0f, hex(0x120a30)}, {0.5f, hex(0x5a2a8a)}, {0.8f, hex(0x2f8fb0)}, {1.0f, hex(0xc0f0ff)}};
    band.mask = [](float u, float v) {
        return bandAround(v, 0.52f - 0.42f * u, 0.16f) * smoothstep(0.6f, 0.45f, v);
    };
    addNebula(image, band);
    Random random(42u);
    addStars(image, random, 1500, 1.0f, [](float u, float v) {
        return smoothstep(0.6f, 0.48f, v) * (0.35f + 0.65f * bandAround(v, 0.52f - 0.42f * u, 0.2f));
    });
    addMoon(image, 200.0f, 112.0f, 30.0f, hex(0xf4ecff));
    addMagicCircle(image, Vec2{512.0f, horizon}, 250.0f, 28, 7, 77u, hex(0x8a5cff), 0.11f, 0.7f);
    addGlow(image, 512.0f, horizon, 520.0f, 46.0f, hex(0xff5a28), 0.45f);
    addGlow(image, 512.0f, horizon, 300.0f, 14.0f, hex(0xffb070), 0.35f);
    // Far range in violet haze, lower in the middle so the carousel's centre stays open.
    addRidge(image, 5u, horizon - 6.0f, 70.0f, 5.0f, hex(0x1a0f2c), hex(0x8a3050), 4.0f,
             [](float u) { return 0.25f + 0.75f * std::pow(std::fabs(u - 0.5f) * 2.0f, 1.3f); });
    addLavaPlain(image, horizon, 101u, 0.9f);
    // Near crags rising at both sides, black against the glow; the middle stays open.
    addRidge(image, 9u, H + 30.0f, 330.0f, 3.0f, hex(0x050307), hex(0xa03a18), 2.5f,
             [](float u) { return std::pow(std::fabs(u - 0.5f) * 2.0f, 1.6f); });
    vignette(image, 0.45f);
    return image;
}

Image makeStarField(int variant) {
    Image image(W, H);
    Random random(1000u + static_cast<uint64_t>(variant));
    NebulaSpec nebula;
    nebula.seed = 300u + static_cast<uint32_t>(variant);
    std::function<float(float, float)> band;
    switch (variant) {
        case 1:  // Deep blue night crossed by a pale milky way with dark dust lanes.
            fillVertical(image,
                         Gradient{{0.0f, hex(0x02030c)}, {0.6f, hex(0x050a1e)}, {1.0f, hex(0x0a1230)}});
            band = [](float u, float v) { return bandAround(v, 0.05f + 0.85f * u, 0.17f); };
            nebula.cells = 3.0f;
            nebula.warp = 1.2f;
            nebula.threshold = -0.4f;
            nebula.contrast = 1.6f;
            nebula.strength = 2.2f;
            nebula.colours = Gradient{
                {0.0f, hex(0x0a1030)}, {0.45f, hex(0x283c7a)}, {0.8f, hex(0x8aa8d8)}, {1.0f, hex(0xf0ecff)}};
            break;
        case 2:  // Violet and rose nebula (clouds drift over it in the game).
            fillVertical(image,
                         Gradient{{0.0f, hex(0x06020c)}, {0.6f, hex(0x10051c)}, {1.0f, hex(0x1a0820)}});
            band = [](float u, float v) {
                return std::max(bandAround(u, 0.25f, 0.22f) * bandAround(v, 0.38f, 0.35f),
                                bandAround(u, 0.78f, 0.2f) * bandAround(v, 0.62f, 0.3f));
            };
            nebula.cells = 2.2f;
            nebula.warp = 1.1f;
            nebula.threshold = -0.35f;
            nebula.contrast = 1.8f;
            nebula.strength = 2.4f;
            nebula.colours = Gradient{
                {0.0f, hex(0x1a0630)}, {0.4f, hex(0x5a1a78)}, {0.72f, hex(0xd04488)}, {1.0f, hex(0xffd8ec)}};
            break;
        default:  // Ember sky above a lava sea: red dust, amber light from below.
            fillVertical(image,
                         Gradient{{0.0f, hex(0x060204)}, {0.55f, hex(0x10040a)}, {1.0f, hex(0x2a0a08)}});
            band = [](float u, float v) { return bandAround(v, 0.32f + 0.12f * std::sin(u * 5.0f), 0.22f); };
            nebula.cells = 3.0f;
            nebula.warp = 1.3f;
            nebula.threshold = -0.3f;
            nebula.contrast = 1.7f;
            nebula.strength = 2.2f;
            nebula.colours = Gradient{
                {0.0f, hex(0x200608)}, {0.45f, hex(0x6a1410)}, {0.78f, hex(0xe0642a)}, {1.0f, hex(0xffe4b0)}};
            break;
    }
    nebula.mask = [band](float u, float v) { return 0.12f + 0.88f * band(u, v); };
    addNebula(image, nebula);
    // A second, finer layer of dimmer gas for depth.
    NebulaSpec fine = nebula;
    fine.seed += 50u;
    fine.cells *= 2.5f;
    fine.strength *= 0.3f;
    fine.contrast = 2.5f;
    addNebula(image, fine);
    addDust(image, nebula.seed + 77u, 4.0f, 0.6f, [band](float u, float v) { return band(u, v); });
    // Unresolved stars: a milky haze of very faint points along the band.
    addStars(image, random, 9000, 0.22f, [band](float u, float v) { return 0.06f + 0.94f * band(u, v); });
    addStars(image, random, 1500, 1.0f, [band](float u, float v) { return 0.45f + 0.55f * band(u, v); });
    if (variant == 3) addGlow(image, 512.0f, 600.0f, 700.0f, 170.0f, hex(0xff5010), 0.4f);
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
    addGlow(image, 512.0f, 256.0f, 420.0f, 220.0f, hex(0x0b3448), 0.35f);

    Random random(601u);
    struct Crystal {
        Vec2 base;
        float angle, length, width;
        float hue, depth;
    };
    std::vector<Crystal> crystals;
    // Clusters: root point and the direction they grow (towards the centre, roughly).
    const Vec2 roots[] = {{70, 500}, {200, 525}, {930, 510}, {1000, 420}, {40, 30},
                          {980, 10}, {540, 540}, {330, -15}, {720, -15}};
    for (const Vec2& root : roots) {
        float towards = std::atan2(256.0f - root.y, 512.0f - root.x);
        int n = 4 + random.below(4);
        for (int i = 0; i < n; ++i) {
            Crystal c;
            c.base = root + Vec2{random.range(-45, 45), random.range(-20, 20)};
            c.angle = towards + random.range(-0.85f, 0.85f);
            c.length = random.range(80.0f, 200.0f);
            c.width = c.length * random.range(0.2f, 0.3f);
            c.hue = random.range(0.0f, 1.0f);
            c.depth = random.range(0.55f, 1.0f);
            crystals.push_back(c);
        }
    }
    // Far (dim) crystals first, so near ones sit in front.
    std::sort(crystals.begin(), crystals.end(),
              [](const Crystal& a, const Crystal& b) { return a.depth < b.depth; });
    static const Gradient hues{{0.0f, hex(0x2de0a0)}, {0.5f, hex(0x30c8e0)}, {1.0f, hex(0x80f0c0)}};
    FractalSpec inclusions;
    inclusions.seed = 602u;
    inclusions.octaves = 4;
    for (const Crystal& c : crystals) {
        Vec2 dir{std::cos(c.angle), std::sin(c.angle)};
        Vec2 side{-dir.y, dir.x};
        Vec2 tip = c.base + dir * c.length;
        // A hexagonal prism seen from the side: three facets, meeting at the point.
        const float offsets[4] = {-1.0f, -0.3f, 0.35f, 1.0f};
        const float facetLight[3] = {0.45f, 1.0f, 0.7f};
        std::vector<Vec2> facets[3];
        for (int f = 0; f < 3; ++f) {
            float a = offsets[f] * c.width * 0.5f, b = offsets[f + 1] * c.width * 0.5f;
            float shoulderA = c.length * (0.72f + 0.06f * std::fabs(offsets[f]));
            float shoulderB = c.length * (0.72f + 0.06f * std::fabs(offsets[f + 1]));
            facets[f] = {c.base + side * a, c.base + side * b, c.base + dir * shoulderB + side * b, tip,
                         c.base + dir * shoulderA + side * a};
        }
        Rgba colour = hues(c.hue);
        int x0 = std::max(0, static_cast<int>(std::min(c.base.x, tip.x) - c.width - 30));
        int x1 = std::min(W - 1, static_cast<int>(std::max(c.base.x, tip.x) + c.width + 30));
        int y0 = std::max(0, static_cast<int>(std::min(c.base.y, tip.y) - c.width - 30));
        int y1 = std::min(H - 1, static_cast<int>(std::max(c.base.y, tip.y) + c.width + 30));
        for (int y = y0; y <= y1; ++y) {
            for (int x = x0; x <= x1; ++x) {
                Vec2 p{x + 0.5f, y + 0.5f};
                float d = 1e9f;
                int facet = 0;
                float ds[3];
                for (int f = 0; f < 3; ++f) {
                    ds[f] = signedDistanceToPolygon(p, facets[f]);
                    if (ds[f] < d) {
                        d = ds[f];
                        facet = f;
                    }
                }
                Vec2 rel = p - c.base;
                float along = clamp01((rel.x * dir.x + rel.y * dir.y) / c.length);
                float inner = 0.3f + 0.7f * std::pow(along, 1.6f);
                if (d < 1.0f) {
                    // Facet edges catch the light; the body glows from inside, brighter to the tip.
                    float edge = std::exp(-std::fabs(ds[facet]) / 1.3f);
                    float cloud = 0.85f + 0.3f * fbm(p.x / 18.0f, p.y / 18.0f, inclusions);
                    float light = (inner * facetLight[facet] * 0.75f * cloud + edge * 0.55f) * c.depth;
                    Rgba body = scale(colour, light);
                    body.r += edge * 0.25f * c.depth;
                    body.g += edge * 0.3f * c.depth;
                    body.b += edge * 0.3f * c.depth;
                    Rgba& px = image.at(x, y);
                    px = lerp(px, Rgba{body.r, body.g, body.b, 1.0f}, coverage(d) * (0.85f + 0.15f * along));
                }
                float glow = std::exp(-std::max(0.0f, d) / 14.0f) * 0.1f * inner * c.depth;
                image.add(x, y, colour, glow);
            }
        }
        addGlow(image, tip.x, tip.y, 12.0f, 12.0f, hex(0xd8fff0), 0.4f * c.depth);
    }
    // Motes of light floating in the cave.
    for (int i = 0; i < 160; ++i) {
        float x = random.range(0, W), y = random.range(0, H);
        splatStar(image, x, y, random.range(0.05f, 0.35f), hues(random.range(0, 1)), random.range(0.6f, 1.6f),
                  0.0f);
    }
    vignette(image, 0.5f);
    return image;
}

Image makeRunesBackground(int level) {
    // A floor of old flagstones in the dark, lit by a great magic circle that glows in its
    // middle. Level 1 cold blue, level 2 violet, level 3 ember.
    static const Rgba tints[3] = {hex(0x3aa8ff), hex(0xb060ff), hex(0xff6a28)};
    static const Rgba stones[3] = {hex(0x1a2433), hex(0x221a30), hex(0x2c1a14)};
    int index = std::min(2, std::max(0, level - 1));
    Rgba tint = tints[index];
    Image image(W, H);
    uint32_t seed = 700u + static_cast<uint32_t>(level);
    FractalSpec surface;
    surface.seed = seed;
    surface.octaves = 6;
    FractalSpec warp = surface;
    warp.seed = seed + 31u;
    warp.octaves = 3;
    Field bend = evaluateCoarse(W, H, 4, [&](float x, float y) { return fbm(x / 214.0f, y / 214.0f, warp); });
    for (int y = 0; y < H; ++y) {
        for (int x = 0; x < W; ++x) {
            float px = x / 150.0f, py = y / 150.0f;
            float q = bend.at(x, y);
            CellSample cell = cellular(px + 0.15f * q, py * 1.3f + 0.15f * q, 0, 0, seed + 5u, 0.8f);
            float gap = cell.f2 - cell.f1;
            float joint = smoothstep(0.015f, 0.06f, gap);
            float bevel = 0.8f + 0.2f * smoothstep(0.06f, 0.2f, gap);
            float rough = 0.5f + 0.5f * fbm(x / 35.0f, y / 35.0f, surface);
            float tone = 0.7f + 0.6f * unitFloat(cell.id);
            // Light from the circle in the middle falls off towards the edges.
            float dx = (x + 0.5f - 512.0f) / 512.0f, dy = (y + 0.5f - 256.0f) / 256.0f;
            float light = 0.35f + 0.9f * std::exp(-(dx * dx * 1.6f + dy * dy * 1.2f));
            Rgba c = scale(stones[index], tone * (0.55f + 0.7f * rough) * bevel * joint * light);
            c.r += tint.r * 0.05f * light * joint;
            c.g += tint.g * 0.05f * light * joint;
            c.b += tint.b * 0.05f * light * joint;
            c.a = 1.0f;
            image.at(x, y) = c;
        }
    }
    addGlow(image, 512.0f, 256.0f, 300.0f, 190.0f, tint, 0.12f);
    addMagicCircle(image, Vec2{512.0f, 256.0f}, 238.0f, 26, 7 + index, 900u + static_cast<uint32_t>(level),
                   tint, 0.2f, 1.1f);
    vignette(image, 0.65f);
    return image;
}

Image makeExitScreen(const TextRenderer& text) {
    // Goodbye under the night sky: the gallery's world, darker, with the words in its middle.
    Image image(W, H);
    fillVertical(
        image,
        Gradient{
            {0.0f, hex(0x020108)}, {0.55f, hex(0x0d0820)}, {0.74f, hex(0x35112a)}, {1.0f, hex(0x050306)}});
    NebulaSpec band;
    band.seed = 1201u;
    band.cells = 3.0f;
    band.warp = 1.5f;
    band.threshold = -0.1f;
    band.strength = 0.25f;
    band.colours = Gradient{
        {0.0f, hex(0x120a30)}, {0.55f, hex(0x4a2a8a)}, {0.85f, hex(0x2f7fb0)}, {1.0f, hex(0xc0f0ff)}};
    band.mask = [](float u, float v) {
        return bandAround(v, 0.2f + 0.3f * u, 0.2f) * smoothstep(0.78f, 0.6f, v);
    };
    addNebula(image, band);
    Random random(1202u);
    addStars(image, random, 1300, 0.9f, [](float, float v) { return smoothstep(0.8f, 0.65f, v); });
    const float horizon = 380.0f;
    addGlow(image, 512.0f, horizon, 500.0f, 40.0f, hex(0xff5a28), 0.4f);
    addRidge(image, 1203u, horizon - 4.0f, 60.0f, 5.0f, hex(0x120a1c), hex(0x8a3050), 4.0f);
    addLavaPlain(image, horizon, 1204u, 0.7f);
    addRidge(image, 1205u, H + 30.0f, 250.0f, 3.0f, hex(0x040206), hex(0x902c14), 2.5f,
             [](float u) { return std::pow(std::fabs(u - 0.5f) * 2.0f, 1.6f); });

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
        // The words with room around them for their glow.
        int margin = line.size;
        Field placed(letters.width + 2 * margin, letters.height + 2 * margin);
        for (int y = 0; y < letters.height; ++y) {
            for (int x = 0; x < letters.width; ++x) placed.at(x + margin, y + margin) = letters.at(x, y);
        }
        int left = (W - letters.width) / 2 - margin;
        int top = static_cast<int>(line.centreY - letters.height / 2.0f) - margin;
        Field glow = placed;
        blur(glow, line.size * 0.25f);
        for (int y = 0; y < placed.height; ++y) {
            for (int x = 0; x < placed.width; ++x) {
                image.add(left + x, top + y, line.colour, glow.at(x, y) * line.glow);
                image.over(left + x, top + y, line.colour, placed.at(x, y));
            }
        }
    }
    vignette(image, 0.5f);
    return image;
}

}  // namespace datagen
