// The program's icon for desktop menus: a lit lava stone on the night sky of the first
// lava-stones teaser, ringed by six smaller stones, some lit and some dark, on a rounded tile.
// It is drawn anew at every size rather than scaled from one picture, so that small sizes stay
// crisp; below 48 pixels the ring is left out, as it would only blur into the sky.
#include <algorithm>
#include <cmath>

#include "DataSet.h"
#include "Paint.h"
#include "Pictures.h"
#include "Raster.h"

namespace datagen {
namespace {

const float FOV = 45.0f;
const float STONE_DEPTH = -4.0f;
const int SMALLEST_WITH_RING = 48;

// Square middle of a backdrop, scaled to size x size.
Image skyTile(const Image& backdrop, int size) {
    int side = std::min(backdrop.width, backdrop.height);
    int left = (backdrop.width - side) / 2, top = (backdrop.height - side) / 2;
    Image square(side, side);
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) square.at(x, y) = backdrop.at(left + x, top + y);
    }
    return square.resized(size, size);
}

struct IconStone {
    Vec2 at;      // in world units on the plane z = STONE_DEPTH
    float scale;  // the meshes have a radius of about 1
    bool lit;
};

std::vector<IconStone> stonesFor(int size) {
    const float pi = 3.14159265f;
    if (size < SMALLEST_WITH_RING) return {{Vec2{0.0f, 0.0f}, 1.05f, true}};
    std::vector<IconStone> stones = {{Vec2{0.0f, 0.0f}, 0.8f, true}};
    const bool lit[6] = {true, false, true, true, false, true};
    for (int k = 0; k < 6; ++k) {
        float a = 2.0f * pi * (k + 0.5f) / 6.0f;
        stones.push_back({Vec2{1.18f * std::sin(a), 1.18f * std::cos(a)}, 0.24f, lit[k]});
    }
    return stones;
}

}  // namespace

Image makeAppIcon(int size, Studio& studio) {
    const float s = static_cast<float>(size);
    Image icon = skyTile(studio.picture("stars.png"), size);
    // The lava's light rising from below the tile.
    addGlow(icon, s * 0.5f, s * 1.05f, s * 0.7f, s * 0.4f, hex(0xff5a10), 0.3f);

    Mat4 projection = Mat4::perspective(FOV, 1.0f, 0.1f, 20.0f);
    float pixelsPerUnit = 1.0f / std::tan(FOV * 3.14159265f / 360.0f) / -STONE_DEPTH * (s / 2.0f);
    Rasterizer raster(size, size, size < SMALLEST_WITH_RING ? 6 : 3);
    raster.setProjection(projection);
    Random random(0xa99u);
    std::vector<IconStone> stones = stonesFor(size);
    for (size_t i = 0; i < stones.size(); ++i) {
        const IconStone& stone = stones[i];
        Vec3 axis = normalize(Vec3{random.range(-1, 1), random.range(-1, 1), random.range(-1, 1)});
        float angle = 45.0f + random.range(0.0f, 90.0f);
        Mat4 model = Mat4::translation(Vec3{stone.at.x, stone.at.y, STONE_DEPTH}) *
                     Mat4::scaling(Vec3{stone.scale, stone.scale, stone.scale}) * Mat4::rotation(angle, axis);
        raster.drawMesh(studio.mesh(i % 2 == 0 ? "lava_stone1.obj" : "lava_stone2.obj"), model,
                        studio.picture("lava.png"), lavaStoneShading(stone.lit));
        if (stone.lit) {
            float r = pixelsPerUnit * stone.scale * 1.1f;
            float cx = s * 0.5f + stone.at.x * pixelsPerUnit, cy = s * 0.5f - stone.at.y * pixelsPerUnit;
            addGlow(icon, cx, cy, r, r, hex(0xff7020), 0.45f);
        }
    }
    icon.draw(raster.result(), 0, 0);

    CardStyle card;
    card.inset = s / 32.0f;
    card.radius = s * 0.18f;
    card.shadeReach = s / 16.0f;
    card.lineInset = std::max(0.6f, s / 96.0f);
    card.lineWidth = std::max(0.6f, s / 160.0f);
    // The frame line is a pixel wide at every size, so it is dimmed where that is much.
    frameCard(icon, card, scale(hex(0xff9a40), std::min(1.0f, s / 64.0f)));
    return icon;
}

}  // namespace datagen
