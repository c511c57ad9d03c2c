// Where the gallery shows a point of its icon scene: in fractions of the window, origin top
// left, as the window keeps pointer positions and picking reads them. Needs the icon camera's
// projection, which the first frame gives it.
#pragma once

#include "game/gallery/Gallery.h"
#include "game/gallery/Icon.h"
#include "math/Vector2.h"
#include "math/Vector3.h"
#include "scene/Scene.h"
#include "support/WindowPoint.h"
#include "window/Window.h"

inline Vector2 windowPointOf(Gallery* gallery, Window* window, Vector3 world) {
    return windowPointOf(gallery->iconScene, window, world);
}

// The centre of an icon as the last frame placed it.
inline Vector2 windowPointOf(Gallery* gallery, Window* window, Icon* icon) {
    return windowPointOf(gallery, window, icon->localMatrix.getBase());
}
