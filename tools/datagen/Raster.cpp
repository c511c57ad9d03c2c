// Scanline-free triangle rasterisation by edge functions over each triangle's bounding box,
// with perspective-correct texture coordinates.
#include "Raster.h"

#include <algorithm>
#include <cmath>

#include "Noise.h"

namespace datagen {

Shading lavaStoneShading(bool lit) {
    Shading shading;
    float b = lit ? 1.0f : 0.3f;
    shading.tint = Rgba{b, b, b, 1.0f};
    shading.ambient = 0.8f;
    shading.diffuse = 0.35f;
    shading.rim = lit ? 0.4f : 0.15f;
    return shading;
}

Rasterizer::Rasterizer(int w, int h, int supersample)
    : width(w),
      height(h),
      colour(w * supersample, h * supersample, Rgba{0.0f, 0.0f, 0.0f, 0.0f}),
      depth(static_cast<size_t>(w) * supersample * h * supersample, 1e30f) {}

namespace {

struct ScreenVertex {
    float x, y;   // pixels
    float z;      // depth, smaller is nearer
    float invW;   // 1 / clip w, for perspective correction
    Vec3 normal;  // view-space normal over w
    Vec2 uv;      // texture coordinates over w
};

inline float edge(float ax, float ay, float bx, float by, float px, float py) {
    return (bx - ax) * (py - ay) - (by - ay) * (px - ax);
}

}  // namespace

void Rasterizer::drawMesh(const TriMesh& mesh, const Mat4& model, const Image& texture,
                          const Shading& shading) {
    int bw = colour.width, bh = colour.height;
    Mat4 mvp = proj * model;
    std::vector<ScreenVertex> sv(mesh.positions.size());
    std::vector<bool> usable(mesh.positions.size(), true);
    for (size_t i = 0; i < mesh.positions.size(); ++i) {
        float c[4];
        mvp.transform4(mesh.positions[i], c);
        if (c[3] < 0.05f) {
            usable[i] = false;  // behind the eye: the previews never need clipping
            continue;
        }
        float iw = 1.0f / c[3];
        Vec3 n = mesh.normals.empty() ? Vec3{0, 0, 1} : normalize(model.transformDirection(mesh.normals[i]));
        Vec2 uv = mesh.texcoords.empty() ? Vec2{} : mesh.texcoords[i];
        sv[i] = ScreenVertex{
            (c[0] * iw * 0.5f + 0.5f) * bw, (0.5f - c[1] * iw * 0.5f) * bh, c[2] * iw, iw, n * iw,
            Vec2{uv.x * iw, uv.y * iw}};
    }
    Vec3 light = normalize(shading.lightDirection);
    for (size_t t = 0; t + 2 < mesh.indices.size(); t += 3) {
        int ia = mesh.indices[t], ib = mesh.indices[t + 1], ic = mesh.indices[t + 2];
        if (!usable[ia] || !usable[ib] || !usable[ic]) continue;
        const ScreenVertex& a = sv[ia];
        const ScreenVertex& b = sv[ib];
        const ScreenVertex& c = sv[ic];
        float area = edge(a.x, a.y, b.x, b.y, c.x, c.y);
        if (std::fabs(area) < 1e-6f) continue;
        int x0 = std::max(0, static_cast<int>(std::floor(std::min({a.x, b.x, c.x}))));
        int x1 = std::min(bw - 1, static_cast<int>(std::ceil(std::max({a.x, b.x, c.x}))));
        int y0 = std::max(0, static_cast<int>(std::floor(std::min({a.y, b.y, c.y}))));
        int y1 = std::min(bh - 1, static_cast<int>(std::ceil(std::max({a.y, b.y, c.y}))));
        for (int y = y0; y <= y1; ++y) {
            for (int x = x0; x <= x1; ++x) {
                float px = x + 0.5f, py = y + 0.5f;
                float w0 = edge(b.x, b.y, c.x, c.y, px, py) / area;
                float w1 = edge(c.x, c.y, a.x, a.y, px, py) / area;
                float w2 = 1.0f - w0 - w1;
                if (w0 < 0.0f || w1 < 0.0f || w2 < 0.0f) continue;
                float z = w0 * a.z + w1 * b.z + w2 * c.z;
                float& stored = depth[static_cast<size_t>(y) * bw + x];
                if (z >= stored) continue;
                stored = z;
                float iw = w0 * a.invW + w1 * b.invW + w2 * c.invW;
                float u = (w0 * a.uv.x + w1 * b.uv.x + w2 * c.uv.x) / iw;
                float v = (w0 * a.uv.y + w1 * b.uv.y + w2 * c.uv.y) / iw;
                Vec3 n = normalize((a.normal * w0 + b.normal * w1 + c.normal * w2) * (1.0f / iw));
                // OBJ v runs upwards while picture rows run downwards.
                Rgba tex = texture.sampleUv(u * shading.textureScale,
                                            1.0f - v * shading.textureScale + shading.textureOffsetV,
                                            shading.wrapTexture);
                float facing = std::fabs(n.z);
                float light1 = shading.ambient + shading.diffuse * std::max(0.0f, dot(n, light)) +
                               shading.rim * std::pow(1.0f - facing, 2.0f);
                colour.at(x, y) = Rgba{tex.r * shading.tint.r * light1, tex.g * shading.tint.g * light1,
                                       tex.b * shading.tint.b * light1, 1.0f};
            }
        }
    }
}

Image Rasterizer::result() const { return colour.resized(width, height); }

}  // namespace datagen
