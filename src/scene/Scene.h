// Scene: the root of one 3D or 2D world. It owns a viewport, an active camera, an ambient
// colour, a light table and a layer mask; render() draws the subtree through its renderers
// and raycast() picks through its colliders into the shared raycastInfo.
#pragma once

#include <cstdint>

#include "core/Component.h"
#include "math/Color.h"
#include "math/Matrix4x4.h"
#include "math/Raycast.h"
#include "math/Rect.h"
#include "render/LightRecord.h"

class Camera;

class Scene : public Component {
public:
    // The light table: MAX_LIGHTS records of LIGHT_FLOATS floats (render/LightRecord.h).
    static constexpr int MAX_LIGHTS = LightRecord::MAX_LIGHTS;
    static constexpr int LIGHT_FLOATS = LightRecord::FLOATS;
    // A layer mask that draws every renderer, whatever its layer.
    static constexpr uint32_t ALL_LAYERS = 0xFFFFFFFFu;

    Rect viewport;                // own viewport; all zero at construction
    Rect* viewportRef = nullptr;  // overrides viewport when set (a display's letter box)
    Camera* camera = nullptr;     // the active camera; not owned through this field
    Matrix4x4 view;               // the camera's view as of the last render
    Color ambient{1, 1, 1, 1};
    int lightsCount = 0;              // valid records in lights; reset by every render
    float* lights;                    // MAX_LIGHTS records, allocated once
    uint32_t layerMask = ALL_LAYERS;  // layers drawn by the next render

    // The results of the most recent raycast of any scene.
    static RaycastInfo raycastInfo;

    Scene();
    ~Scene() override;

    Rect* getViewport() { return viewportRef != nullptr ? viewportRef : &viewport; }

    // Sets the GL viewport, takes the camera's view, resets the lights, broadcasts
    // "prepareLights" and then "render" with an identity model matrix. Clears nothing.
    // Throws "Active camera is not set".
    void render();

    // Fills raycastInfo with every collider hit by the world ray, nearest first. Visits the
    // whole subtree, whatever the renderers' visibility and layers. Raycasts do not nest.
    void raycast(Ray ray);
};
