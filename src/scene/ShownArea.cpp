#include "scene/ShownArea.h"

#include <algorithm>
#include <cmath>

#include "math/Vector4.h"

namespace ShownArea {

namespace {

// Texture coordinate range [from, to] (0 to 1) around texels [first, first + count) of `size`.
// A linear-filtered sample reads the texels whose centres lie within one texel of it, so
// those texels reach samples from first - 0.5 to first + count + 0.5; two texels more on
// each side are margin.
void reach(int first, int count, int size, float* from, float* to) {
    if (first <= 0 || first + count >= size) {
        *from = 0;
        *to = 1;
        return;
    }
    *from = std::max(0.0f, (static_cast<float>(first) - 2.5f) / static_cast<float>(size));
    *to = std::min(1.0f, (static_cast<float>(first + count) + 2.5f) / static_cast<float>(size));
}

int cornerWith(const List<Vector2>& texcoords, float u, float v) {
    for (int i = 0; i < texcoords.size(); i++) {
        if (texcoords.at(i).x == u && texcoords.at(i).y == v) return i;
    }
    return -1;
}

}  // namespace

bool windowRect(const List<Vector3>& positions, const List<Vector2>& texcoords, int textureWidth,
                int textureHeight, Rect shownTexels, const Matrix4x4& modelViewProjection,
                const Rect& viewport, Rect* out) {
    if (positions.size() != 4 || texcoords.size() != 4 || textureWidth <= 0 || textureHeight <= 0)
        return false;
    const int origin = cornerWith(texcoords, 0, 0);
    const int alongU = cornerWith(texcoords, 1, 0);
    const int alongV = cornerWith(texcoords, 0, 1);
    if (origin < 0 || alongU < 0 || alongV < 0 || cornerWith(texcoords, 1, 1) < 0) return false;
    if (shownTexels.width <= 0 || shownTexels.height <= 0) {
        *out = Rect{};
        return true;
    }

    float u0, u1, rows0, rows1;
    reach(shownTexels.x, shownTexels.width, textureWidth, &u0, &u1);
    reach(shownTexels.y, shownTexels.height, textureHeight, &rows0, &rows1);
    // Image rows count down from the top, where v is 1.
    const float v0 = 1 - rows1;
    const float v1 = 1 - rows0;

    const Vector3 base = positions.at(origin);
    const Vector3 stepU = positions.at(alongU) - base;
    const Vector3 stepV = positions.at(alongV) - base;
    float left = INFINITY, right = -INFINITY, bottom = INFINITY, top = -INFINITY;
    for (float u : {u0, u1}) {
        for (float v : {v0, v1}) {
            const Vector3 p = base + stepU * u + stepV * v;
            const Vector4 clip = modelViewProjection.translateVector(Vector4(p.x, p.y, p.z, 1));
            if (!(clip.w > 1e-6f)) return false;
            const float x = static_cast<float>(viewport.x) +
                            (clip.x / clip.w + 1) * 0.5f * static_cast<float>(viewport.width);
            const float y = static_cast<float>(viewport.y) +
                            (clip.y / clip.w + 1) * 0.5f * static_cast<float>(viewport.height);
            left = std::min(left, x);
            right = std::max(right, x);
            bottom = std::min(bottom, y);
            top = std::max(top, y);
        }
    }
    if (!std::isfinite(left) || !std::isfinite(right) || !std::isfinite(bottom) || !std::isfinite(top)) {
        return false;
    }
    // Whole pixels around it, one more on every side; never past the viewport.
    const float x0 = std::max(std::floor(left) - 1, static_cast<float>(viewport.x));
    const float y0 = std::max(std::floor(bottom) - 1, static_cast<float>(viewport.y));
    const float x1 = std::min(std::ceil(right) + 1, static_cast<float>(viewport.x + viewport.width));
    const float y1 = std::min(std::ceil(top) + 1, static_cast<float>(viewport.y + viewport.height));
    if (x1 <= x0 || y1 <= y0) {
        *out = Rect{};
        return true;
    }
    *out = Rect{static_cast<int32_t>(x0), static_cast<int32_t>(y0), static_cast<int32_t>(x1 - x0),
                static_cast<int32_t>(y1 - y0)};
    return true;
}

}  // namespace ShownArea
