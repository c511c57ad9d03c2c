// A small software renderer for the teaser previews: textured triangles with a depth buffer,
// so that the icons show the game's own meshes and textures.
#pragma once

#include "Geometry.h"
#include "Image.h"

namespace datagen {

struct Shading {
    Rgba tint{1.0f, 1.0f, 1.0f, 1.0f};
    float ambient = 0.55f;  // light that reaches every face
    float diffuse = 0.6f;   // Lambert term from the light direction
    float rim = 0.35f;      // brightening towards the silhouette, for a glowing edge
    Vec3 lightDirection{-0.4f, 0.7f, 0.6f};
    bool wrapTexture = true;
    float textureScale = 1.0f;  // texture coordinates are multiplied by this
    float textureOffsetV = 0.0f;
};

// A lava stone as the previews light it: lit ones bright with a glowing rim, dark ones dim.
Shading lavaStoneShading(bool lit);

class Rasterizer {
public:
    // Renders at `supersample` times the size and averages down in result().
    Rasterizer(int width, int height, int supersample = 3);

    void setProjection(const Mat4& projection) { proj = projection; }
    void drawMesh(const TriMesh& mesh, const Mat4& model, const Image& texture, const Shading& shading);

    // The rendering at the requested size; alpha is the covered fraction of each pixel.
    Image result() const;

private:
    int width, height;
    Mat4 proj;
    Image colour;
    std::vector<float> depth;
};

}  // namespace datagen
