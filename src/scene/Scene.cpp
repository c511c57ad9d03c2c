// Scene: render and raycast passes over the subtree.
#include "scene/Scene.h"

#include <cstdlib>

#include "platform/GL.h"
#include "scene/Camera.h"
#include "scene/SceneEvents.h"

RaycastInfo Scene::raycastInfo;

Scene::Scene() : lights(static_cast<float*>(calloc(MAX_LIGHTS * LIGHT_FLOATS, sizeof(float)))) {}

Scene::~Scene() {
    free(lights);
    lights = nullptr;
}

void Scene::render() {
    if (camera == nullptr) throw "Active camera is not set";
    Rect* vp = getViewport();
    glViewport(vp->x, vp->y, vp->width, vp->height);
    view = camera->getView();
    Matrix4x4 model;
    lightsCount = 0;
    sendBroadcast(Events::PREPARE_LIGHTS);
    Event e;
    e.name = Events::RENDER;
    e.source = this;
    e.data = &model;
    sendBroadcast(&e);
}

void Scene::raycast(Ray ray) {
    Matrix4x4 m;
    raycastInfo.ray = ray;
    raycastInfo.results.clear();
    RaycastEventData data;
    data.matrix = &m;
    data.info = &raycastInfo;
    Event e;
    e.name = Events::RAYCAST;
    e.source = this;
    e.data = &data;
    sendBroadcast(&e);
}
