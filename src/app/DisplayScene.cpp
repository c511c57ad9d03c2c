#include "app/DisplayScene.h"

#include "app/Display.h"
#include "app/Overlay.h"
#include "scene/Camera.h"
#include "scene/Scene.h"

namespace DisplayScene {

namespace {

Scene* withCamera(Display* display, Camera* camera) {
    Scene* scene = new Scene();
    scene->viewportRef = &display->viewport;
    scene->camera = camera;
    scene->add(camera);
    return scene;
}

}  // namespace

Scene* overlay(Display* display) { return withCamera(display, Overlay::makeCamera()); }

Scene* perspective(Display* display) {
    return withCamera(display, new Camera(FIELD_OF_VIEW, NEAR_PLANE, FAR_PLANE));
}

}  // namespace DisplayScene
