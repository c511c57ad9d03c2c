// Camera: a Transform that a Scene draws and picks through. It recomputes its projection on
// every "update" from its own settings and the viewport of the scene above it, gives the
// view matrix from its place in the tree and turns viewport points into picking rays.
#pragma once

#include "math/Raycast.h"
#include "math/Vector2.h"
#include "scene/Transform.h"

class Scene;

class Camera : public Transform {
public:
    Matrix4x4 projection;  // identity until the first "update" in a scene with an area
    bool perspective;
    float fieldOfView = 0;  // vertical, degrees (perspective only)
    float near;
    float far;
    int32_t width = 0;  // orthographic extent in units
    int32_t height = 0;

    // Perspective camera.
    Camera(float fieldOfView, float near, float far);
    // Orthographic camera over 0..width left to right and 0..height top to bottom, with
    // near 1 and far -1 so that z from -1 to 1 is visible.
    Camera(int width, int height);

    // The Transform handling; "update" then recomputes the projection.
    Event* onEvent(Event* e) override;

    // Throws "Camera is not in scene" when no ancestor is a Scene. A perspective camera keeps
    // its previous projection while the scene's viewport has no area, since its aspect would
    // not be finite.
    void updateProjection();

    // The nearest Scene ancestor, or null.
    Scene* findScene();

    // The inverse of the camera's global matrix, exact for rotation and translation.
    Matrix4x4 getView();

    // The world ray through a point given in fractions of the scene's viewport (x to the
    // right, y downwards), from the near plane towards the far one, unit direction. Throws
    // "Zero determinant" when projection * view cannot be inverted.
    Ray getScreenRay(Vector2 point);
};
