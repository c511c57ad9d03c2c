// Transform: matrix accumulation during scene passes, global matrices and lookAt.
#include "scene/Transform.h"

#include <cstring>

#include "scene/SceneEvents.h"

Event* Transform::onEvent(Event* e) {
    if (e->name == nullptr) return e;
    if (strcmp(e->name, Events::RENDER) == 0) {
        event.name = Events::RENDER;
        event.source = e->source;
        event.data = &worldMatrix;
        // A pass started without a matrix counts as starting from the identity.
        worldMatrix = localMatrix;
        if (e->data != nullptr) worldMatrix.mult(*static_cast<Matrix4x4*>(e->data), false);
        return &event;
    }
    if (strcmp(e->name, Events::RAYCAST) == 0) {
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

void Transform::lookAt(Vector3 target, Vector3 up) {
    Vector3 position = localMatrix.getBase();
    // The target arrives in world coordinates; the axes are set in the parent's. local * G^-1
    // is the inverse of the parents' combined matrix (G = parents * local), which brings the
    // target into the parent's space whatever rotation or scale the parents or this node carry.
    Matrix4x4 toParent = getGlobalTransform().invert();
    toParent.mult(localMatrix, false);
    Vector3 t = toParent.translateVector(target);
    Vector3 f = normalize(t - position);
    Vector3 s = normalize(cross(f, up));
    Vector3 u = cross(s, f);
    localMatrix.setX(s);
    localMatrix.setY(u);
    localMatrix.setZ(-f);
}
