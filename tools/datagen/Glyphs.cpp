// Rune symbols and their masks, the answer marks, decorative glyphs and text bands.
#include <algorithm>
#include <cmath>

#include "Noise.h"
#include "Pictures.h"
#include "Shapes.h"

namespace datagen {
namespace {

const int GLYPH_SIZE = 128;
const float GLYPH_SCALE = 0.74f;  // glyph half-size as a fraction of the picture's half-size

// White strokes with a soft glow around them on a transparent ground.
Image glowingStrokes(const StrokeSet& strokes, int size, float halfWidth, float glowRadius,
                     float glowStrength) {
    Image image(size, size, Rgba{1.0f, 1.0f, 1.0f, 0.0f});
    float half = size / 2.0f;
    float k = half * GLYPH_SCALE;
    StrokeSet placed = strokes.transformed(k, Vec2{half, half});
    float w = halfWidth * k;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            float d = placed.distance(Vec2{x + 0.5f, y + 0.5f}) - w;
            float core = coverage(d);
            float glow = glowStrength * std::exp(-std::pow(std::max(0.0f, d) / glowRadius, 2.0f));
            float a = std::max(core, glow);
            // Fade the glow out before the picture's border so nothing is cut off.
            float edge = std::min({x + 0.5f, y + 0.5f, size - x - 0.5f, size - y - 0.5f});
            a *= smoothstep(0.0f, 6.0f, edge);
            // The stroke's centre line is the brightest; its sides a touch cooler.
            float inner = clamp01(-d / w);
            image.at(x, y) = Rgba{1.0f, 1.0f, 0.9f + 0.1f * inner, a};
        }
    }
    return image;
}

}  // namespace

StrokeSet runeStrokes(int type) {
    StrokeSet s;
    switch (type) {
        case 0:  // Ascent: an arrow pointing up with a bar across its shaft.
            s.line(Vec2{0.0f, -0.82f}, Vec2{0.0f, 0.85f});
            s.line(Vec2{-0.55f, -0.25f}, Vec2{0.0f, -0.82f});
            s.line(Vec2{0.0f, -0.82f}, Vec2{0.55f, -0.25f});
            s.line(Vec2{-0.35f, 0.45f}, Vec2{0.35f, 0.45f});
            break;
        case 1:  // Sun: a ring around a solid dot.
            s.circle(Vec2{0.0f, 0.0f}, 0.62f);
            s.circle(Vec2{0.0f, 0.0f}, 0.09f);
            break;
        case 2:  // Gate: a diamond pierced by a horizontal bar.
            s.line(Vec2{0.0f, -0.85f}, Vec2{0.58f, 0.0f});
            s.line(Vec2{0.58f, 0.0f}, Vec2{0.0f, 0.85f});
            s.line(Vec2{0.0f, 0.85f}, Vec2{-0.58f, 0.0f});
            s.line(Vec2{-0.58f, 0.0f}, Vec2{0.0f, -0.85f});
            s.line(Vec2{-0.9f, 0.0f}, Vec2{0.9f, 0.0f});
            break;
        default:  // Storm: a lightning zigzag.
            s.line(Vec2{-0.42f, -0.85f}, Vec2{0.38f, -0.28f});
            s.line(Vec2{0.38f, -0.28f}, Vec2{-0.38f, 0.28f});
            s.line(Vec2{-0.38f, 0.28f}, Vec2{0.42f, 0.85f});
            break;
    }
    return s;
}

StrokeSet randomGlyph(Random& random) {
    // Letters in the manner of carved runes: one or two full-height stems with diagonal
    // branches between points on them, as a chisel cuts along and across the grain.
    StrokeSet s;
    const float xs[2] = {-0.38f, 0.38f};
    const float ys[4] = {-0.85f, -0.3f, 0.3f, 0.85f};
    bool twoStems = random.chance(0.4);
    int stem = random.below(2);
    s.line(Vec2{xs[stem], ys[0]}, Vec2{xs[stem], ys[3]});
    if (twoStems) s.line(Vec2{xs[1 - stem], ys[0]}, Vec2{xs[1 - stem], ys[3]});
    int branches = 1 + random.below(2);
    for (int i = 0; i < branches; ++i) {
        int from = random.below(4);
        int to = std::min(3, std::max(0, from + (random.chance(0.5) ? 1 : -1)));
        if (to == from) to = from == 0 ? 1 : from - 1;
        s.line(Vec2{xs[stem], ys[from]}, Vec2{xs[1 - stem], ys[to]});
    }
    return s;
}

Image makeRuneSymbol(int type) {
    return glowingStrokes(runeStrokes(type), GLYPH_SIZE, RUNE_STROKE, 7.0f, 0.55f);
}

Image makeRuneMask(int type) {
    // The symbol's shape, a little wider than its stroke: alpha 1 inside, 0 outside, with a
    // one-pixel anti-aliased edge. The game tests alpha > 0.5 to cut the tile's face.
    Image image(GLYPH_SIZE, GLYPH_SIZE, Rgba{1.0f, 1.0f, 1.0f, 0.0f});
    float half = GLYPH_SIZE / 2.0f;
    float k = half * GLYPH_SCALE;
    StrokeSet placed = runeStrokes(type).transformed(k, Vec2{half, half});
    float w = RUNE_STROKE * k * 1.3f;
    for (int y = 0; y < GLYPH_SIZE; ++y) {
        for (int x = 0; x < GLYPH_SIZE; ++x) {
            image.at(x, y).a = coverage(placed.distance(Vec2{x + 0.5f, y + 0.5f}) - w);
        }
    }
    return image;
}

Image makeSuccessIcon() {
    StrokeSet check;
    check.line(Vec2{-0.62f, 0.02f}, Vec2{-0.2f, 0.48f});
    check.line(Vec2{-0.2f, 0.48f}, Vec2{0.65f, -0.55f});
    return glowingStrokes(check, GLYPH_SIZE, 0.13f, 8.0f, 0.45f);
}

Image makeFailIcon() {
    StrokeSet cross;
    cross.line(Vec2{-0.52f, -0.52f}, Vec2{0.52f, 0.52f});
    cross.line(Vec2{0.52f, -0.52f}, Vec2{-0.52f, 0.52f});
    return glowingStrokes(cross, GLYPH_SIZE, 0.13f, 8.0f, 0.45f);
}

Image makeTextBand(const TextRenderer& text, const std::string& words) {
    // 512 x 32 as the game draws it: white letters centred, with a soft dark shadow that
    // keeps them readable over bright parts of the backdrop.
    const int w = 512, h = 32;
    Image image(w, h, Rgba{0.0f, 0.0f, 0.0f, 0.0f});
    Field letters = text.renderFitting("DejaVuSans.ttf", 19, w - 24, words);
    if (letters.width == 0) return image;
    Field placed(w, h);
    int left = (w - letters.width) / 2;
    int top = (h - letters.height) / 2;
    for (int y = 0; y < letters.height; ++y) {
        for (int x = 0; x < letters.width; ++x) {
            int px = left + x, py = top + y;
            if (px >= 0 && py >= 0 && px < w && py < h) placed.at(px, py) = letters.at(x, y);
        }
    }
    Field shadow = placed;
    blur(shadow, 2.5f);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            float s = clamp01(shadow.at(x, y) * 1.6f) * 0.5f;
            image.at(x, y) = Rgba{0.0f, 0.0f, 0.0f, s};
            image.over(x, y, Rgba{1.0f, 1.0f, 1.0f, 1.0f}, placed.at(x, y));
        }
    }
    return image;
}

}  // namespace datagen
