// MeshRenderer: one mesh drawn through a shared material.
#include "scene/MeshRenderer.h"

#include "platform/GL.h"
#include "render/Material.h"
#include "render/Mesh.h"
#include "render/Texture.h"
#include "resources/Resources.h"
#include "scene/MeshEvents.h"
#include "scene/Scene.h"
#include "scene/ShownArea.h"

MeshRenderer::MeshRenderer() : materialResource(Resources::DEFAULT_MATERIAL) {}

MeshRenderer::~MeshRenderer() { delete mesh; }

Event* MeshRenderer::onEvent(Event* e) {
    Event* r = Renderer::onEvent(e);
    if (handleMeshEvent(r, mesh, meshResource) == MeshEvent::RELEASE) {
        if (materialResource != nullptr) materialResource->release();
        if (textureResource != nullptr) textureResource->release();
    }
    return r;
}

void MeshRenderer::render(Scene* scene, Matrix4x4* projection, Matrix4x4* view, Matrix4x4* model) {
    if (material == nullptr && materialResource == nullptr) throw "Material and MaterialResource is not set";
    if (mesh == nullptr && meshResource == nullptr) throw "Mesh and MeshResource is not set";
    Material* m = material != nullptr ? material : materialResource->getMaterial();
    m->sceneAmbient = scene->ambient;
    m->ambient = ambientColor;
    m->diffuse = diffuseColor;
    m->specular = specularColor;
    m->depthTest = depthTest;
    m->shininess = shininess;
    m->lightsCount = scene->lightsCount;
    m->lights = scene->lights;
    Texture* t = textureResource != nullptr ? textureResource->getTexture() : nullptr;
    Mesh* drawn = mesh != nullptr ? mesh : meshResource->getMesh();
    Rect box;
    if (!clippedToShownTexels(scene, projection, view, model, drawn, t, &box)) {
        m->render(projection, view, model, drawn, t);
        return;
    }
    // A picture with wide clear margins (a flare over a band of the screen) is shaded only
    // where its texels can show.
    if (box.width <= 0 || box.height <= 0) return;
    glEnable(GL_SCISSOR_TEST);
    glScissor(box.x, box.y, box.width, box.height);
    try {
        m->render(projection, view, model, drawn, t);
    } catch (...) {
        glDisable(GL_SCISSOR_TEST);
        throw;
    }
    glDisable(GL_SCISSOR_TEST);
}

bool MeshRenderer::clippedToShownTexels(Scene* scene, Matrix4x4* projection, Matrix4x4* view,
                                        Matrix4x4* model, const Mesh* drawn, const Texture* texture,
                                        Rect* box) const {
    // Only a blended draw leaves the pixels under clear texels as they were, and only one
    // that writes no depth leaves no other trace there.
    if (texture == nullptr || !texture->hasAlpha || drawn == nullptr || !drawn->vertices ||
        !drawn->texcoords) {
        return false;
    }
    if (depthTest) {
        GLboolean depthWrites = GL_TRUE;
        glGetBooleanv(GL_DEPTH_WRITEMASK, &depthWrites);
        if (depthWrites) return false;
    }
    if (glIsEnabled(GL_SCISSOR_TEST)) return false;  // someone else's box: leave it alone
    Matrix4x4 projectionView = *view;
    projectionView.mult(*projection, false);
    Matrix4x4 modelViewProjection = *model;
    modelViewProjection.mult(projectionView, false);
    return ShownArea::windowRect(*drawn->vertices, *drawn->texcoords, texture->width, texture->height,
                                 texture->shownTexels, modelViewProjection, *scene->getViewport(), box);
}
