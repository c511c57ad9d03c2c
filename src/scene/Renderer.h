// Renderer: a Transform that draws itself during a scene's "render" pass when it is visible
// and shares a layer bit with the scene. Its children are visited either way and inherit
// its matrix.
#pragma once

#include <cstdint>

#include "scene/Transform.h"

class Scene;

class Renderer : public Transform {
public:
    bool visible = true;
    uint32_t layerMask = 1;

    Renderer() = default;

    // The Transform handling; on "render" from a scene, draws through render() with the
    // scene camera's projection, the scene's view and this node's world matrix. Returns the
    // Transform's record. Throws "Active camera is not set" for a scene without a camera.
    Event* onEvent(Event* e) override;

    virtual void render(Scene* scene, Matrix4x4* projection, Matrix4x4* view, Matrix4x4* model) = 0;
};
