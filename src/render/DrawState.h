// DrawState: the GL switches one material draw turns on (depth test, back-face culling,
// alpha blending) and turns off again afterwards, so that between draws all three are off.
// Shared by the materials of both builds.
#pragma once

class Matrix4x4;
class Mesh;
class Texture;

struct DrawState {
    bool depthTest = false;
    bool cullFace = false;
    bool blend = false;

    // What a draw of `mesh` with `texture` needs: blending for textures with alpha.
    DrawState(bool depthTest, const Mesh* mesh, const Texture* texture);

    void enable() const;
    // Disables what enable() switched on (disabled, not restored to an earlier value).
    void disable() const;
};

// Throws "Projection matrix is required", "View matrix is required" or
// "Model matrix is required" for a missing matrix.
void requireMatrices(const Matrix4x4* projection, const Matrix4x4* view, const Matrix4x4* model);
