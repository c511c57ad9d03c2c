// Transform: a scene-graph node with a local matrix. Scene passes ("render", "raycast") are
// broadcasts; each transform combines the arriving matrix with its own and hands its
// children a record of its own that carries the result, so the hierarchy lives in dispatch.
#pragma once

#include "core/Component.h"
#include "math/Matrix4x4.h"
#include "math/Raycast.h"

class Transform : public Component {
public:
    Matrix4x4 localMatrix;         // relative to the parent; identity at construction
    Event event;                   // the record handed to the children during a pass
    Matrix4x4 worldMatrix;         // local combined with all enclosing transforms, last pass
    RaycastEventData raycastData;  // data of `event` during a "raycast" pass

    Transform() = default;

    // "render" and "raycast" return this node's own record carrying worldMatrix; every other
    // event travels on unchanged.
    Event* onEvent(Event* e) override;

    // localMatrix combined with the local matrices of every Transform ancestor, computed
    // now by walking the parent chain (other kinds of ancestors are passed through).
    Matrix4x4 getGlobalTransform();

    // Turns the node so that its negative z axis points at `target`, given in world
    // coordinates; `up` is taken in the parent's coordinates. Keeps the translation. An up
    // vector along the view (or zero) is replaced by the world axis least aligned with the
    // view; a target at the node's own position leaves the orientation as it is.
    // Throws "Zero determinant" when the node's global matrix is singular.
    void lookAt(Vector3 target, Vector3 up);
};
