// MeshRenderer: draws a Mesh with a Material and an optional texture, each given directly
// or as a registry entry. Every value the material uses is copied into it before each draw,
// because materials are shared between renderers.
#pragma once

#include "math/Color.h"
#include "math/Rect.h"
#include "scene/Renderer.h"

class Mesh;
class Texture;
class Material;
class MeshResource;
class MaterialResource;
class TextureResource;

class MeshRenderer : public Renderer {
public:
    MeshResource* meshResource = nullptr;  // not owned
    Mesh* mesh = nullptr;                  // owned; takes precedence over meshResource
    MaterialResource* materialResource;    // not owned; Resources::DEFAULT_MATERIAL
    Material* material = nullptr;          // not owned; takes precedence
    bool depthTest = true;
    Color ambientColor{1, 1, 1, 1};
    Color diffuseColor{1, 1, 1, 1};
    Color specularColor{1, 1, 1, 1};
    float shininess = 5.0f;
    TextureResource* textureResource = nullptr;  // not owned

    MeshRenderer();
    ~MeshRenderer() override;

    // The Renderer handling; "createResources" rebuilds the own mesh's GPU buffers,
    // "releaseResources" drops them and releases every registry entry used here.
    Event* onEvent(Event* e) override;

    // Throws "Material and MaterialResource is not set" or "Mesh and MeshResource is not set"
    // before anything is loaded or drawn.
    void render(Scene* scene, Matrix4x4* projection, Matrix4x4* view, Matrix4x4* model) override;

private:
    // True with the window box outside which this draw cannot change the picture, when it
    // is a blended textured plane that writes no depth.
    bool clippedToShownTexels(Scene* scene, Matrix4x4* projection, Matrix4x4* view, Matrix4x4* model,
                              const Mesh* drawn, const Texture* texture, Rect* box) const;
};
