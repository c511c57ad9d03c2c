// Camera: projections, the view matrix and picking rays.
#include "scene/Camera.h"

#include <cmath>

#include "core/EventName.h"
#include "scene/Scene.h"
#include "window/WindowEvents.h"

Camera::Camera(float fieldOfView, float near, float far)
    : perspective(true), fieldOfView(fieldOfView), near(near), far(far) {}

Camera::Camera(int width, int height) : perspective(false), near(1), far(-1), width(width), height(height) {}

Event* Camera::onEvent(Event* e) {
    Event* r = Transform::onEvent(e);
    if (isEvent(e, Events::UPDATE)) updateProjection();
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
        projection = Matrix4x4::perspective(
            fieldOfView, static_cast<float>(vp->width) / static_cast<float>(vp->height), near, far);
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

namespace {

// The world point of a clip-space vector. For a perspective projection w comes out as 1;
// an orthographic one with a negative far plane gives w = -1 for the far point, which the
// division turns back into the point itself.
Vector3 worldPoint(const Matrix4x4& inverse, Vector4 clip) {
    Vector4 p = inverse.translateVector(clip);
    if (p.w == 0 || !std::isfinite(p.w)) return Vector3(p.x, p.y, p.z);
    return Vector3(p.x / p.w, p.y / p.w, p.z / p.w);
}

}  // namespace

Ray Camera::getScreenRay(Vector2 point) {
    Matrix4x4 c = getView();
    c.mult(projection, false);
    Matrix4x4 inverse = c.invert();
    float nx = 2 * point.x - 1;
    float ny = 1 - 2 * point.y;
    Ray ray;
    ray.origin = worldPoint(inverse, Vector4(nx * near, ny * near, -near, near));
    Vector3 farPoint = worldPoint(inverse, Vector4(nx * far, ny * far, far, far));
    ray.direction = normalize(farPoint - ray.origin);
    return ray;
}
