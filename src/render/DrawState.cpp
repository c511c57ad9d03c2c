// DrawState: per-draw GL enables of the materials.
#include "render/DrawState.h"

#include "platform/GL.h"
#include "render/Mesh.h"
#include "render/Texture.h"

DrawState::DrawState(bool depthTest, const Mesh* mesh, const Texture* texture)
    : depthTest(depthTest), cullFace(mesh->cullFace), blend(texture && texture->hasAlpha) {}

void DrawState::enable() const {
    if (depthTest) glEnable(GL_DEPTH_TEST);
    if (cullFace) {
        glEnable(GL_CULL_FACE);
        glCullFace(GL_BACK);
    }
    if (blend) {
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    }
}

void DrawState::disable() const {
    if (blend) glDisable(GL_BLEND);
    if (cullFace) glDisable(GL_CULL_FACE);
    if (depthTest) glDisable(GL_DEPTH_TEST);
}

void requireMatrices(const Matrix4x4* projection, const Matrix4x4* view, const Matrix4x4* model) {
    if (!projection) throw "Projection matrix is required";
    if (!view) throw "View matrix is required";
    if (!model) throw "Model matrix is required";
}
