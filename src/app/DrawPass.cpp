#include "app/DrawPass.h"

#include "platform/GL.h"
#include "scene/Scene.h"

namespace {

// The alpha above which a shape's picture counts as the shape.
constexpr float SHAPE_ALPHA = 0.5f;

void colourWrites(GLboolean on) { glColorMask(on, on, on, on); }

}  // namespace

void drawPass(Scene* scene, uint32_t layers, PassWrites writes) {
    const bool shapes = writes == PassWrites::DEPTH_OF_SHAPES;
    glDepthMask(writes == PassWrites::COLOUR ? GL_FALSE : GL_TRUE);
    if (shapes) {
        colourWrites(GL_FALSE);
        glEnable(GL_ALPHA_TEST);
        glAlphaFunc(GL_GREATER, SHAPE_ALPHA);
    }
    scene->layerMask = layers;
    scene->render();
    if (shapes) {
        glDisable(GL_ALPHA_TEST);
        colourWrites(GL_TRUE);
    }
}

void endPasses() { glDepthMask(GL_TRUE); }
