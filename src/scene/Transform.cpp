// Transform: matrix accumulation during scene passes, global matrices and lookAt.
#include "scene/Transform.h"

#include <cmath>

#include "core/EventName.h"
#include "scene/SceneEvents.h"

Event* Transform::onEvent(Event* e) {
    if (e->name == nullptr) return e;
    if (isEvent(e, Events::RENDER)) {
        event.name = Events::RENDER;
        event.source = e->source;
        event.data = &worldMatrix;
        // A pass started without a matrix counts as starting from the identity.
        worldMatrix = localMatrix;
        if (e->data != nullptr) worldMatrix.mult(*static_cast<Matrix4x4*>(e->data), false);
        return &event;
    }
    if (isEvent(e, Events::RAYCAST)) {
        RaycastEventData* incoming = static_cast<RaycastEventData*>(e->data);
        // Without a result record there is nothing to pick into.
        if (incoming == nullptr || incoming->info == nullptr) return e;
        event.name = Events::RAYCAST;
        event.source = e->source;
        event.data = &raycastData;
        raycastData.matrix = &worldMatrix;
        raycastData.info = incoming->info;
        worldMatrix = localMatrix;
        if (incoming->matrix != nullptr) worldMatrix.mult(*incoming->matrix, false);
        return &event;
    }
    return e;
}

Matrix4x4 Transform::getGlobalTransform() {
    Matrix4x4 result = localMatrix;
    for (Component* ancestor = parent; ancestor != nullptr; ancestor = ancestor->parent) {
        if (Transform* t = dynamic_cast<Transform*>(ancestor)) result.mult(t->localMatrix, false);
    }
    return result;
}

namespace {

// Below this fraction of |up| the cross product of the view and up is taken as zero.
constexpr float SIDE_EPSILON = 1e-5f;

// The world axis least aligned with the unit vector `v`.
Vector3 furthestAxis(Vector3 v) {
    float ax = std::fabs(v.x), ay = std::fabs(v.y), az = std::fabs(v.z);
    if (ax <= ay && ax <= az) return Vector3(1, 0, 0);
    if (ay <= az) return Vector3(0, 1, 0);
    return Vector3(0, 0, 1);
}

}  // namespace

void Transform::lookAt(Vector3 target, Vector3 up) {
    Vector3 position = localMatrix.getBase();
    // The target arrives in world coordinates; the axes are set in the parent's. local * G^-1
    // is the inverse of the parents' combined matrix (G = parents * local), which brings the
    // target into the parent's space whatever rotation or scale the parents or this node carry.
    Matrix4x4 toParent = getGlobalTransform().invert();
    toParent.mult(localMatrix, false);
    Vector3 t = toParent.translateVector(target);
    Vector3 toTarget = t - position;
    // Looking at its own position gives no direction: the orientation stays as it is.
    if (!(length(toTarget) > 0)) return;
    Vector3 f = normalize(toTarget);
    Vector3 side = cross(f, up);
    // An up vector along the view (or none at all) leaves no side axis to normalise; the world
    // axis furthest from the view stands in for it, so the result stays a proper rotation.
    if (!(length(side) > SIDE_EPSILON * length(up))) side = cross(f, furthestAxis(f));
    Vector3 s = normalize(side);
    Vector3 u = cross(s, f);
    localMatrix.setX(s);
    localMatrix.setY(u);
    localMatrix.setZ(-f);
}
