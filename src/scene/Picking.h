// Picking with the pointer: from a point of the window, through the scene's viewport and its
// camera's screen ray, to the nearest collider the ray hits. Every display that is clicked
// picks this way; findAncestor (core/Component.h) then leads from the collider to the game
// object it belongs to.
#pragma once

#include "core/Component.h"
#include "math/Vector2.h"
#include "scene/Collider.h"

class Scene;
class Window;

// The collider nearest to the viewer under `windowPoint` (fractions of the window, as the
// window keeps its pointer positions), or null when the point lies outside the scene's
// viewport or the ray hits nothing. Fills Scene::raycastInfo. The scene's camera must have
// its projection (it gets it on "update").
Collider* pickCollider(Window* window, Scene* scene, Vector2 windowPoint);

// The game object of class T that owns the collider under `windowPoint`, or null.
template <class T>
T* pick(Window* window, Scene* scene, Vector2 windowPoint) {
    return findAncestor<T>(pickCollider(window, scene, windowPoint));
}
