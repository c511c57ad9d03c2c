// Gallery icons: 256 x 128 previews of the teasers, composed from the game's own backdrops,
// textures and meshes as the teaser shows them, in a card with rounded corners.
#include <algorithm>
#include <cmath>

#include "DataSet.h"
#include "Paint.h"
#include "Pictures.h"
#include "Raster.h"

namespace datagen {
namespace {

const int IW = 256;
const int IH = 128;
const float FOV = 45.0f;

Mat4 previewProjection() { return Mat4::perspective(FOV, static_cast<float>(IW) / IH, 0.1f, 20.0f); }

// Pixel position of a point seen by the teaser's camera (at the origin, looking along -z).
Vec2 project(Vec3 p) {
    float c[4];
    previewProjection().transform4(p, c);
    return Vec2{(c[0] / c[3] * 0.5f + 0.5f) * IW, (0.5f - c[1] / c[3] * 0.5f) * IH};
}

// Pixels per world unit at depth z.
float pixelsPerUnit(float z) {
    float f = 1.0f / std::tan(FOV * 3.14159265f / 360.0f);
    return f / -z * (IH / 2.0f);
}

// Draws src stretched over the rectangle centred at (cx, cy), multiplied by tint.
void drawSprite(Image& dst, const Image& src, float cx, float cy, float halfW, float halfH,
                const Rgba& tint) {
    int x0 = std::max(0, static_cast<int>(cx - halfW)),
        x1 = std::min(dst.width - 1, static_cast<int>(cx + halfW) + 1);
    int y0 = std::max(0, static_cast<int>(cy - halfH)),
        y1 = std::min(dst.height - 1, static_cast<int>(cy + halfH) + 1);
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            float u = (x + 0.5f - (cx - halfW)) / (2.0f * halfW);
            float v = (y + 0.5f - (cy - halfH)) / (2.0f * halfH);
            if (u < 0.0f || v < 0.0f || u > 1.0f || v > 1.0f) continue;
            Rgba s = src.sampleUv(u, v, false);
            dst.over(x, y, Rgba{s.r * tint.r, s.g * tint.g, s.b * tint.b, 1.0f}, s.a * tint.a);
        }
    }
}

struct StonePlacement {
    Vec3 position;
    int mesh;  // 1 or 2
    bool lit;
};

// The stones as the lava-stones teaser places them, lit by a simple light for depth.
void drawStones(Image& icon, Studio& studio, const std::vector<StonePlacement>& stones,
                const std::string& texture, uint64_t seed, const Vec3& ringOffset = Vec3{}) {
    Rasterizer raster(IW, IH, 3);
    raster.setProjection(previewProjection());
    Random random(seed);
    for (const StonePlacement& s : stones) {
        Vec3 axis = normalize(Vec3{random.range(-1, 1), random.range(-1, 1), random.range(-1, 1)});
        // A little larger than in the game (0.25), so the stones read at icon size.
        Mat4 model = Mat4::translation(s.position + ringOffset) * Mat4::scaling(Vec3{0.34f, 0.34f, 0.34f}) *
                     Mat4::rotation(45.0f + random.range(0.0f, 90.0f), axis);
        raster.drawMesh(studio.mesh(s.mesh == 1 ? "lava_stone1.obj" : "lava_stone2.obj"), model,
                        studio.picture(texture), lavaStoneShading(s.lit));
    }
    Image rendered = raster.result();
    // A warm glow around each lit stone, as the lit textures seem to shine.
    for (const StonePlacement& s : stones) {
        if (!s.lit) continue;
        Vec2 c = project(s.position + ringOffset);
        float r = pixelsPerUnit(s.position.z) * 0.38f;
        Rgba glow = texture == "water.png"        ? hex(0x30c0ff)
                    : texture == "green_lava.png" ? hex(0x40ffa0)
                                                  : hex(0xff7020);
        addGlow(icon, c.x, c.y, r, r, glow, 0.35f);
    }
    icon.draw(rendered, 0, 0);
}

Image backdrop(Studio& studio, const std::string& name) { return studio.picture(name).resized(IW, IH); }

Image lavaStonesIcon(Studio& studio, int level) {
    std::vector<StonePlacement> stones;
    Image icon(IW, IH);
    const float pi = 3.14159265f;
    switch (level) {
        case 1: {
            icon = backdrop(studio, "stars.png");
            const float xs[7] = {-2.25f, -1.5f, -0.75f, 0.0f, 0.75f, 1.5f, 2.25f};
            const int meshes[7] = {1, 2, 1, 1, 2, 1, 2};
            const bool lit[7] = {true, false, true, true, false, false, true};
            for (int i = 0; i < 7; ++i) stones.push_back({Vec3{xs[i], 0.0f, -4.0f}, meshes[i], lit[i]});
            drawStones(icon, studio, stones, "lava.png", 11u);
            break;
        }
        case 2: {
            icon = backdrop(studio, "stars2.png");
            const Vec3 at[7] = {{0, 0, -4},   {2, 0.5f, -4},  {0, 1, -4}, {-2, -0.5f, -4},
                                {-1, -1, -4}, {2, -1.2f, -4}, {-1, 0, -4}};
            const int meshes[7] = {2, 1, 2, 1, 1, 2, 2};
            const bool lit[7] = {true, true, false, true, false, true, false};
            for (int i = 0; i < 7; ++i) stones.push_back({at[i], meshes[i], lit[i]});
            drawStones(icon, studio, stones, "lava.png", 12u);
            Image clouds = studio.picture("clouds.png").resized(IW, IH);
            icon.draw(clouds, 0, 0);
            break;
        }
        case 3: {
            icon = backdrop(studio, "stars3.png");
            // The lava floor, flowing far below and behind the ring.
            Rasterizer floor(IW, IH, 2);
            floor.setProjection(previewProjection());
            TriMesh plane;
            plane.positions = {{-1, 1, 0}, {1, 1, 0}, {1, -1, 0}, {-1, -1, 0}};
            plane.texcoords = {{0, 7}, {7, 7}, {7, 0}, {0, 0}};
            plane.normals = {{0, 0, 1}, {0, 0, 1}, {0, 0, 1}, {0, 0, 1}};
            plane.indices = {0, 3, 1, 1, 3, 2};
            Mat4 model = Mat4::translation(Vec3{0, -2, -8}) * Mat4::scaling(Vec3{10, 10, 1}) *
                         Mat4::rotation(-100.0f, Vec3{1, 0, 0});
            Shading flat;
            flat.ambient = 1.0f;
            flat.diffuse = 0.0f;
            flat.rim = 0.0f;
            floor.drawMesh(plane, model, studio.picture("lava.png"), flat);
            icon.draw(floor.result(), 0, 0);
            const int ids[7] = {1, 2, 5, 3, 6, 4, 0};
            for (int k = 0; k < 7; ++k) {
                float a = 2.0f * pi * k / 7.0f;
                stones.push_back(
                    {Vec3{std::sin(a), std::cos(a), -4.0f}, k % 2 == 0 ? 1 : 2, ids[k] % 3 != 0});
            }
            drawStones(icon, studio, stones, "water.png", 13u, Vec3{0.0f, 0.2f, 0.0f});
            break;
        }
        default: {
            icon = backdrop(studio, "crystals.png");
            for (int i = 0; i < 7; ++i) {
                float a = 2.0f * pi * i / 7.0f;
                stones.push_back(
                    {Vec3{2.0f * std::sin(a), std::cos(a), -4.0f}, i % 2 == 0 ? 1 : 2, i % 3 != 1});
            }
            drawStones(icon, studio, stones, "green_lava.png", 14u);
            const Image& glitter = studio.picture("glitter.png");
            drawSprite(icon, glitter, 0.2f * IW, 0.725f * IH, 9, 9, Rgba{1, 1, 1, 1});
            drawSprite(icon, glitter, 0.85f * IW, 0.125f * IH, 7, 7, Rgba{1, 1, 1, 1});
            break;
        }
    }
    return icon;
}

// A rune tile as the runes teaser draws it: the tile's face with the symbol cut out of it,
// the symbol glowing yellow in the cut.
void drawRuneTile(Image& icon, Studio& studio, Vec3 centre, int type, bool selected) {
    Vec2 c = project(centre);
    float half = pixelsPerUnit(centre.z) * 0.45f;
    if (selected)
        drawSprite(icon, studio.picture("runePoint.png"), c.x, c.y, half * 1.1f, half * 1.1f,
                   Rgba{1, 1, 1, 0.9f});
    std::string n = std::to_string(type + 1);
    const Image& symbol = studio.picture("rune" + n + ".png");
    const Image& mask = studio.picture("rune" + n + "mask.png");
    const Image& face = studio.picture("runeborderbg.png");
    drawSprite(icon, symbol, c.x, c.y, half, half, Rgba{1, 1, 0, 1});
    float faceHalf = half * 0.95f;
    int x0 = std::max(0, static_cast<int>(c.x - faceHalf)),
        x1 = std::min(IW - 1, static_cast<int>(c.x + faceHalf));
    int y0 = std::max(0, static_cast<int>(c.y - faceHalf)),
        y1 = std::min(IH - 1, static_cast<int>(c.y + faceHalf));
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            float mu = (x + 0.5f - (c.x - half)) / (2.0f * half);
            float mv = (y + 0.5f - (c.y - half)) / (2.0f * half);
            if (mask.sampleUv(mu, mv, false).a > 0.5f) continue;  // the mask keeps the symbol visible
            float fu = (x + 0.5f - (c.x - faceHalf)) / (2.0f * faceHalf);
            float fv = (y + 0.5f - (c.y - faceHalf)) / (2.0f * faceHalf);
            if (fu < 0.0f || fv < 0.0f || fu > 1.0f || fv > 1.0f) continue;
            Rgba s = face.sampleUv(fu, fv, false);
            icon.over(x, y, s, s.a);
        }
    }
}

Image runesIcon(Studio& studio, int level) {
    Image icon = backdrop(studio, "runesBackground" + std::to_string(level) + ".png");
    std::vector<Vec2> positions;
    if (level == 1) {
        positions = {{-1.8f, 0.7f}, {1.8f, 0.7f}, {-1.8f, -0.7f}, {1.8f, -0.7f}};
    } else if (level == 2) {
        positions = {{-2, 0.7f}, {0, 0.7f}, {2, 0.7f}, {-2, -0.7f}, {0, -0.7f}, {2, -0.7f}};
    } else {
        positions = {{-2, 0.7f},  {-0.66f, 0.7f},  {0.66f, 0.7f},  {2, 0.7f},
                     {-2, -0.7f}, {-0.66f, -0.7f}, {0.66f, -0.7f}, {2, -0.7f}};
    }
    Random random(500u + static_cast<uint64_t>(level));
    for (size_t i = 0; i < positions.size(); ++i) {
        int type = static_cast<int>((i + static_cast<size_t>(random.below(4))) % 4);
        drawRuneTile(icon, studio, Vec3{positions[i].x, positions[i].y, -4.0f}, type, i == 1);
    }
    // The answer bar, risen into view, with its four symbol buttons and the check button.
    const float barX[5] = {-1.0f, -0.33f, 0.33f, 1.0f, 1.66f};
    for (int k = 0; k < 5; ++k) {
        Vec3 at{barX[k], -1.2f, -3.5f};
        Vec2 c = project(at);
        float half = pixelsPerUnit(at.z) * 0.25f;
        if (k < 4) {
            drawSprite(icon, studio.picture("rune" + std::to_string(k + 1) + ".png"), c.x, c.y, half, half,
                       Rgba{1, 1, 1, 1});
        } else {
            drawSprite(icon, studio.picture("successIcon.png"), c.x, c.y, half, half, Rgba{0, 1, 0, 1});
        }
    }
    return icon;
}

Image lockedIcon(Studio& studio) {
    // A sealed gate: a dim, cold stone wall, a padlock of light and the words "coming soon".
    Image icon = backdrop(studio, "runesBackground1.png");
    for (Rgba& p : icon.pixels) {
        float grey = (p.r + p.g + p.b) / 3.0f;
        p = Rgba{grey * 0.5f + p.r * 0.2f, grey * 0.5f + p.g * 0.2f, grey * 0.55f + p.b * 0.25f, 1.0f};
    }
    const Vec2 centre{128.0f, 52.0f};
    addGlow(icon, centre.x, centre.y, 50.0f, 40.0f, hex(0x7a5cff), 0.35f);
    Field lock(IW, IH);
    for (int y = 0; y < IH; ++y) {
        for (int x = 0; x < IW; ++x) {
            Vec2 p{x + 0.5f, y + 0.5f};
            float shackle =
                distanceToArc(p, centre + Vec2{0.0f, -6.0f}, 13.0f, 3.14159265f, 6.2831853f) - 3.2f;
            shackle = std::min(
                shackle,
                distanceToSegment(p, centre + Vec2{-13.0f, -6.0f}, centre + Vec2{-13.0f, 4.0f}) - 3.2f);
            shackle = std::min(
                shackle,
                distanceToSegment(p, centre + Vec2{13.0f, -6.0f}, centre + Vec2{13.0f, 4.0f}) - 3.2f);
            float body = signedDistanceToRoundBox(p, centre + Vec2{0.0f, 14.0f}, 21.0f, 16.0f, 4.0f);
            float hole = std::min(length(p - (centre + Vec2{0.0f, 10.0f})) - 4.0f,
                                  signedDistanceToRoundBox(p, centre + Vec2{0.0f, 17.0f}, 1.6f, 6.0f, 1.0f));
            float shape = std::min(shackle, std::max(body, -hole));
            lock.at(x, y) = coverage(shape);
        }
    }
    Field glow = lock;
    blur(glow, 4.0f);
    for (int y = 0; y < IH; ++y) {
        for (int x = 0; x < IW; ++x) {
            icon.add(x, y, hex(0x9f8cff), glow.at(x, y) * 0.9f);
            float shade = 0.75f + 0.25f * (1.0f - (y - 30.0f) / 50.0f);
            icon.over(x, y, scale(hex(0xe6e0ff), shade), lock.at(x, y));
        }
    }
    Field words = studio.text.renderFitting("DejaVuSerif-Bold.ttf", 17, 220, "COMING SOON");
    if (words.width > 0) {
        int left = (IW - words.width) / 2, top = 94 - words.height / 2;
        Field placed(IW, IH);
        for (int y = 0; y < words.height; ++y) {
            for (int x = 0; x < words.width; ++x) {
                if (left + x >= 0 && left + x < IW && top + y >= 0 && top + y < IH)
                    placed.at(left + x, top + y) = words.at(x, y);
            }
        }
        Field halo = placed;
        blur(halo, 3.0f);
        for (int y = 0; y < IH; ++y) {
            for (int x = 0; x < IW; ++x) {
                icon.add(x, y, hex(0x7a5cff), halo.at(x, y) * 0.8f);
                icon.over(x, y, hex(0xf0ecff), placed.at(x, y));
            }
        }
    }
    return icon;
}

}  // namespace

Image makeIcon(int number, Studio& studio) {
    Image icon(IW, IH);
    Rgba frame;
    switch (number) {
        case 1:
            icon = lavaStonesIcon(studio, 1);
            frame = hex(0xff9a40);
            break;
        case 2:
            icon = lavaStonesIcon(studio, 2);
            frame = hex(0xff9a40);
            break;
        case 3:
            icon = lavaStonesIcon(studio, 3);
            frame = hex(0x60d0ff);
            break;
        case 8:
            icon = lavaStonesIcon(studio, 4);
            frame = hex(0x60ffb0);
            break;
        case 4:
            icon = runesIcon(studio, 1);
            frame = hex(0x80c0ff);
            break;
        case 5:
            icon = runesIcon(studio, 2);
            frame = hex(0xc090ff);
            break;
        case 6:
            icon = runesIcon(studio, 3);
            frame = hex(0xffa060);
            break;
        default:
            icon = lockedIcon(studio);
            frame = hex(0x9080c0);
            break;
    }
    frameCard(icon, CardStyle{}, frame);
    return icon;
}

}  // namespace datagen
