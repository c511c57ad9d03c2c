#include "scene/Picking.h"

#include "scene/Camera.h"
#include "scene/Scene.h"
#include "window/Window.h"

Collider* pickCollider(Window* window, Scene* scene, Vector2 windowPoint) {
    if (window == nullptr || scene == nullptr || scene->camera == nullptr) return nullptr;
    Rect viewport = *scene->getViewport();
    if (!window->viewportContainsMouse(viewport, windowPoint)) return nullptr;
    Vector2 inViewport = window->mouseToViewport(viewport, windowPoint);
    scene->raycast(scene->camera->getScreenRay(inViewport));
    if (Scene::raycastInfo.results.size() == 0) return nullptr;
    return Scene::raycastInfo.results.get(0).collider;
}
