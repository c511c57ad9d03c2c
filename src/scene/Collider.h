// Collider: a Transform with a shape that picking tests. During a scene's "raycast" pass it
// brings the world ray into its own space, lets the shape test it and inserts a hit, back in
// world space, into the shared result list kept sorted by distance.
#pragma once

#include "math/Raycast.h"
#include "scene/Transform.h"

class Collider : public Transform {
public:
    Collider() = default;

    // The Transform handling; on "raycast" tests the shape and records a hit. Throws
    // "Zero determinant" when the accumulated matrix cannot be inverted.
    Event* onEvent(Event* e) override;

    // Tests the shape against a ray in the collider's own space. On a hit at parameter t >= 0
    // where info->distance is negative or greater than t: sets distance to t and point and
    // normal to the local hit point and surface normal. Otherwise leaves info alone.
    virtual void raycast(Ray ray, RaycastInfo* info) = 0;

    // Inserts a hit before the first entry that is strictly farther, so equal distances keep
    // the order of arrival. Reuses the list's storage.
    static void insertSorted(List<RaycastResult>& results, const RaycastResult& hit);
};
