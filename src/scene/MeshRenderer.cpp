// MeshRenderer: one mesh drawn through a shared material.
#include "scene/MeshRenderer.h"

#include "render/Material.h"
#include "render/Mesh.h"
#include "resources/Resources.h"
#include "scene/MeshEvents.h"
#include "scene/Scene.h"

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
    m->render(projection, view, model, mesh != nullptr ? mesh : meshResource->getMesh(), t);
}
