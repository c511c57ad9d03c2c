// Renderer: the render dispatch shared by every drawing node.
#include "scene/Renderer.h"

#include "core/EventName.h"
#include "scene/Camera.h"
#include "scene/Scene.h"
#include "scene/SceneEvents.h"

Event* Renderer::onEvent(Event* e) {
    Event* r = Transform::onEvent(e);
    if (!isEvent(r, Events::RENDER) || !visible) return r;
    // Only a scene starts a render pass; a stray "render" from anything else draws nothing.
    Scene* scene = dynamic_cast<Scene*>(r->source);
    if (scene == nullptr || (layerMask & scene->layerMask) == 0) return r;
    if (scene->camera == nullptr) throw "Active camera is not set";
    render(scene, &scene->camera->projection, &scene->view, static_cast<Matrix4x4*>(r->data));
    return r;
}
