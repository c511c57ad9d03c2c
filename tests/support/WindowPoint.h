// Where a scene shows a point or a node: in fractions of the window, origin top left, as the
// window keeps pointer positions and picking reads them. Goes through the scene's camera (its
// view and the projection it gets on "update") and the scene's viewport (a display's letter
// box), as the scene was last drawn.
#pragma once

#include "math/Matrix4x4.h"
#include "math/Rect.h"
#include "math/Vector2.h"
#include "math/Vector3.h"
#include "math/Vector4.h"
#include "scene/Camera.h"
#include "scene/Scene.h"
#include "scene/Transform.h"
#include "window/Window.h"

inline Vector2 windowPointOf(Scene* scene, Window* window, Vector3 world) {
    Camera* camera = scene->camera;
    Vector4 eye = camera->getView().translateVector(Vector4(world.x, world.y, world.z, 1));
    Vector4 clip = camera->projection.translateVector(eye);
    const Rect& box = *scene->getViewport();
    const float u = (clip.x / clip.w + 1) / 2;
    const float v = (1 - clip.y / clip.w) / 2;
    return Vector2((static_cast<float>(box.x) + u * static_cast<float>(box.width)) /
                       static_cast<float>(window->viewport.width),
                   (static_cast<float>(box.y) + v * static_cast<float>(box.height)) /
                       static_cast<float>(window->viewport.height));
}

// The node's origin, wherever its parents have put it.
inline Vector2 windowPointOf(Scene* scene, Window* window, Transform* node) {
    return windowPointOf(scene, window, node->getGlobalTransform().getBase());
}
