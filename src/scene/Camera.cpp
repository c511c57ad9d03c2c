// Camera: projections, the view matrix and picking rays.
#include "scene/Camera.h"

#include <cstring>

#include "app/Events.h"
#include "scene/Scene.h"

Camera::Camera(float fieldOfView, float near, float far)
    : perspective(true), fieldOfView(fieldOfView), near(near), far(far) {}

Camera::Camera(int width, int height) : perspective(false), near(1), far(-1), width(width), height(height) {}

Event* Camera::onEvent(Event* e) {
    Event* r = Transform::onEvent(e);
    if (e->name != nullptr && strcmp(e->name, Events::UPDATE) == 0) updateProjection();
    return r;
}

Scene* Camera::findScene() {
    for (Component* ancestor = parent; ancestor != nullptr; ancestor = ancestor->parent) {
        if (Scene* scene = dynamic_cast<Scene*>(ancestor)) return scene;
    }
    return nullptr;
}

void Camera::updateProjection() {
    Scene* scene = findScene();
    if (scene == nullptr) throw "Camera is not in scene";
    if (perspective) {
        Rect* vp = scene->getViewport();
        // A minimised or not yet laid-out window has no area; the last good projection
        // stays until it has one again.
        if (vp->width <= 0 || vp->height <= 0) return;
        projection = Matrix4x4::perspective(fieldOfView, static_cast<float>(vp->width) / static_cast<float>(vp->height),
                                            near, far);
    } else {
        projection = Matrix4x4::ortho(0, static_cast<float>(width), static_cast<float>(height), 0, near, far);
    }
}

Matrix4x4 Camera::getView() {
    Matrix4x4 g = getGlobalTransform();
    Matrix4x4 v;
    for (int row = 0; row < 3; row++) {
        for (int col = 0; col < 3; col++) v.m[4 * col + row] = g.m[4 * row + col];
    }
    v.translate(-g.getBase());
    return v;
}

Ray Camera::getScreenRay(Vector2 point) {
    Matrix4x4 c = getView();
    c.mult(projection, false);
    Matrix4x4 inverse = c.invert();
    float nx = 2 * point.x - 1;
    float ny = 1 - 2 * point.y;
    Vector4 n = inverse.translateVector(Vector4(nx * near, ny * near, -near, near));
    Vector4 f = inverse.translateVector(Vector4(nx * far, ny * far, far, far));
    Ray ray;
    ray.origin = Vector3(n.x, n.y, n.z);
    ray.direction = normalize(Vector3(f.x - n.x, f.y - n.y, f.z - n.z));
    return ray;
}
