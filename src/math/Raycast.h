// The picking records: a ray, one hit, the record a raycast fills, and the data of a
// "raycast" event.
#pragma once

#include "core/List.h"
#include "math/Vector3.h"

class Collider;
class Matrix4x4;

struct Ray {
    Vector3 origin;
    Vector3 direction;
};

struct RaycastResult {
    float distance = 0;            // hit point = origin + distance * direction of the world ray
    Vector3 point;                 // world space
    Vector3 normal;                // world space, unit length
    Collider* collider = nullptr;  // not owned
};

struct RaycastInfo {
    Ray ray;                       // the world ray of the current raycast
    float distance = -1;           // scratch of the collider being tested; -1: no hit yet
    Vector3 point;                 // scratch hit point (local during the test, world after it)
    Vector3 normal;                // scratch hit normal
    Collider* collider = nullptr;  // the last collider that reported a hit
    List<RaycastResult> results;   // every hit of the current raycast, nearest first
};

struct RaycastEventData {
    Matrix4x4* matrix = nullptr;  // accumulated matrix of the enclosing transforms
    RaycastInfo* info = nullptr;
};
