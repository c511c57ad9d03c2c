// Small glowing sprites and the gallery's horizon flare. They are white (or nearly) so that
// the game's colour tints show, and their colour stays white where alpha is 0 so that
// linear filtering does not draw dark fringes.
#include <algorithm>
#include <cmath>

#include "Noise.h"
#include "Paint.h"
#include "Pictures.h"
#include "Shapes.h"

namespace datagen {
namespace {

const float PI = 3.14159265f;

Image whiteSprite(int w, int h) { return Image(w, h, Rgba{1.0f, 1.0f, 1.0f, 0.0f}); }

// A thin light ray along the direction `angle` through the centre: sharp across, long along.
float ray(float dx, float dy, float angle, float length, float width) {
    float c = std::cos(angle), s = std::sin(angle);
    float along = dx * c + dy * s;
    float across = -dx * s + dy * c;
    return std::exp(-std::fabs(along) / length) * std::exp(-(across * across) / (width * width));
}

}  // namespace

Image makePixel() { return Image(4, 4, Rgba{1.0f, 1.0f, 1.0f, 1.0f}); }

Image makePoint() {
    // A round light: a solid anti-aliased core with a rim highlight and a soft halo.
    const int size = 64;
    Image image = whiteSprite(size, size);
    float c = size / 2.0f;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            float d = length(Vec2{x + 0.5f - c, y + 0.5f - c});
            float core = coverage(d - 13.0f);
            float halo = std::exp(-std::pow(std::max(0.0f, d - 11.0f) / 9.0f, 2.0f)) * 0.55f;
            float fade = smoothstep(31.5f, 27.0f, d);
            // Slightly darker towards the core's rim so the dot looks round, not flat.
            float shade = 1.0f - 0.18f * smoothstep(6.0f, 13.0f, d) * core;
            image.at(x, y) = Rgba{shade, shade, shade, std::max(core, halo) * fade};
        }
    }
    return image;
}

Image makeStarSprite(bool big) {
    // Big: a four-pointed sparkle with faint diagonal rays. Small: a soft dot with a tiny cross.
    // The game draws them 8 and 4 units wide without mipmaps, so they are painted large and
    // averaged down to 16 and 8 pixels: about two texels per unit at full screen.
    const int size = big ? 64 : 32;
    const float k = 4.0f;  // painted pixels per final pixel
    Image image = whiteSprite(size, size);
    float c = size / 2.0f;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            float dx = x + 0.5f - c, dy = y + 0.5f - c;
            float d = std::sqrt(dx * dx + dy * dy);
            float sigma = (big ? 1.1f : 0.85f) * k;
            float core = std::exp(-d * d / (2.0f * sigma * sigma));
            float halo = 0.35f * std::exp(-d / ((big ? 2.4f : 1.3f) * k));
            float spikes = 0.0f;
            if (big) {
                spikes += ray(dx, dy, 0.0f, 3.2f * k, 0.55f * k) + ray(dx, dy, PI / 2, 3.2f * k, 0.55f * k);
                spikes += 0.35f * (ray(dx, dy, PI / 4, 1.6f * k, 0.45f * k) +
                                   ray(dx, dy, -PI / 4, 1.6f * k, 0.45f * k));
            } else {
                spikes +=
                    0.5f * (ray(dx, dy, 0.0f, 1.2f * k, 0.4f * k) + ray(dx, dy, PI / 2, 1.2f * k, 0.4f * k));
            }
            float a = clamp01(core * 1.3f + halo + spikes);
            a *= smoothstep(c, c - 0.5f * k, std::max(std::fabs(dx), std::fabs(dy)));
            // A cool blue-white fringe around a white centre.
            float warm = clamp01(core * 2.0f);
            image.at(x, y) = Rgba{0.82f + 0.18f * warm, 0.9f + 0.1f * warm, 1.0f, a};
        }
    }
    return image.resized(size / 4, size / 4);
}

Image makeGlitter() {
    // A crystal glint: six sharp rays, a hot centre and a pale cyan halo.
    const int size = 64;
    Image image = whiteSprite(size, size);
    float c = size / 2.0f;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            float dx = x + 0.5f - c, dy = y + 0.5f - c;
            float d = std::sqrt(dx * dx + dy * dy);
            float core = std::exp(-d * d / 6.0f);
            float halo = 0.3f * std::exp(-d / 7.0f);
            float rays = 0.0f;
            for (int k = 0; k < 3; ++k) rays += ray(dx, dy, PI / 2 + k * PI / 3, 8.0f, 1.0f);
            for (int k = 0; k < 3; ++k) rays += 0.3f * ray(dx, dy, PI / 2 + PI / 6 + k * PI / 3, 4.0f, 0.8f);
            float a = clamp01(core + halo + rays);
            a *= smoothstep(c, c - 4.0f, std::max(std::fabs(dx), std::fabs(dy)));
            float hot = clamp01(core * 1.5f + rays * 0.3f);
            image.at(x, y) = Rgba{0.72f + 0.28f * hot, 0.96f + 0.04f * hot, 1.0f, a};
        }
    }
    return image;
}

Image makeNovaSprite() {
    // A burst of light: a white-hot core, a broad glow and uneven rays, fading to nothing at
    // the rim. The nova mesh maps whole copies onto its planes and single radii onto its blades.
    const int size = 128;
    Image image = whiteSprite(size, size);
    float c = size / 2.0f;
    FractalSpec rays;
    rays.seed = 0x70a70001u;
    rays.octaves = 3;
    rays.periodX = 24;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            float dx = x + 0.5f - c, dy = y + 0.5f - c;
            float r = std::sqrt(dx * dx + dy * dy) / c;  // 1 at the rim
            float angle = std::atan2(dy, dx) / (2.0f * PI) + 0.5f;
            float streak = std::pow(clamp01(fbm(angle * 24.0f, 0.5f, rays) * 0.5f + 0.5f), 3.0f);
            float core = std::exp(-r * r / 0.012f);
            float glow = std::exp(-r / 0.22f) * 0.8f;
            float beams = streak * std::exp(-r / 0.45f) * 1.2f;
            float ring = 0.18f * std::exp(-std::pow((r - 0.62f) / 0.06f, 2.0f));
            float a = clamp01(core + glow + beams + ring) * smoothstep(1.0f, 0.85f, r);
            float hot = clamp01(core + glow * 0.5f);
            image.at(x, y) = Rgba{1.0f, 0.9f + 0.1f * hot, 0.8f + 0.2f * hot, a};
        }
    }
    return image;
}

Image makeProgressFragment() {
    // One tick of the move counter: a slim shard of light, pointed at both ends, with a glow.
    const int w = 16, h = 64;
    Image image = whiteSprite(w, h);
    std::vector<Vec2> shard = {{8.0f, 6.0f},  {12.5f, 20.0f}, {12.5f, 44.0f},
                               {8.0f, 58.0f}, {3.5f, 44.0f},  {3.5f, 20.0f}};
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            Vec2 p{x + 0.5f, y + 0.5f};
            float d = signedDistanceToPolygon(p, shard);
            float body = coverage(d);
            float glow = 0.45f * std::exp(-std::max(0.0f, d) / 2.2f);
            // A bright spine down the middle, facets darker to the sides.
            float spine = 1.0f - 0.2f * std::fabs(p.x - 8.0f) / 4.5f;
            float a = std::max(body, glow) * smoothstep(0.0f, 2.0f, std::min(p.y, h - p.y));
            image.at(x, y) = Rgba{spine, spine, spine, a};
        }
    }
    return image;
}

Image makeRunePoint() {
    // The selection aura behind a rune: a bright ring near the edge around a soft inner glow.
    const int size = 64;
    Image image = whiteSprite(size, size);
    float c = size / 2.0f;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            float d = length(Vec2{x + 0.5f - c, y + 0.5f - c}) / c;
            float ring = std::exp(-std::pow((d - 0.82f) / 0.07f, 2.0f));
            float inner = 0.35f * std::exp(-d * d / 0.35f);
            float outer = 0.3f * std::exp(-std::pow(std::max(0.0f, d - 0.82f) / 0.1f, 2.0f));
            float a = clamp01(ring + inner + outer) * smoothstep(1.0f, 0.94f, d);
            image.at(x, y) = Rgba{1.0f, 1.0f, 1.0f, a};
        }
    }
    return image;
}

Image makeHorizonFlare() {
    // Light along the gallery's horizon, drawn over the carousel: a hair-thin hot line, a
    // wider warm haze and a faint sweep of anamorphic ghosts. Transparent almost everywhere.
    const int w = 1024, h = 512;
    const float horizon = 300.0f;
    Image image(w, h, Rgba{1.0f, 0.8f, 0.6f, 0.0f});
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            float dx = (x + 0.5f - 512.0f) / 512.0f;
            float dy = y + 0.5f - horizon;
            float line = std::exp(-dy * dy / 1.6f) * std::exp(-dx * dx / 0.35f) * 0.75f;
            float haze = std::exp(-dy * dy / 180.0f) * std::exp(-dx * dx / 0.6f) * 0.22f;
            float wide = std::exp(-dy * dy / 2200.0f) * std::exp(-dx * dx / 1.2f) * 0.07f;
            float a = clamp01(line + haze + wide);
            // White-hot in the line, amber in the haze, rose in the widest glow.
            float hot = clamp01(line / (a + 1e-4f));
            float warm = clamp01(haze / (a + 1e-4f));
            Rgba c{1.0f, 0.55f + 0.45f * hot + 0.15f * warm, 0.55f + 0.45f * hot - 0.2f * warm, a};
            image.at(x, y) = c;
        }
    }
    return image;
}

}  // namespace datagen
