// Where the gallery shows a point of its icon scene: in fractions of the window, origin top
// left, as the window keeps pointer positions and picking reads them. Needs the icon camera's
// projection, which the first frame gives it.
#pragma once

#include "game/gallery/Gallery.h"
#include "game/gallery/Icon.h"
#include "math/Vector2.h"
#include "math/Vector3.h"
#include "math/Vector4.h"
#include "scene/Camera.h"
#include "scene/Scene.h"
#include "window/Window.h"

inline Vector2 windowPointOf(Gallery* gallery, Window* window, Vector3 world) {
    // The camera sits at the origin looking down -z: its view is the identity.
    Vector4 clip =
        gallery->iconScene->camera->projection.translateVector(Vector4(world.x, world.y, world.z, 1));
    float u = (clip.x / clip.w + 1) / 2;
    float v = (1 - clip.y / clip.w) / 2;
    Rect r = gallery->viewport;
    return Vector2((r.x + u * r.width) / window->viewport.width,
                   (r.y + v * r.height) / window->viewport.height);
}

// The centre of an icon as the last frame placed it.
inline Vector2 windowPointOf(Gallery* gallery, Window* window, Icon* icon) {
    return windowPointOf(gallery, window, icon->localMatrix.getBase());
}
