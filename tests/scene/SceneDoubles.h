// Test doubles for the scene graph: a renderer that writes down every draw it is asked for,
// and a collider whose shape is a square in its own z = 0 plane, so that picking can be
// checked against hand-computed hits without meshes or GL.
#pragma once

#include <cmath>
#include <vector>

#include "math/Matrix4x4.h"
#include "scene/Collider.h"
#include "scene/Renderer.h"

class Scene;

inline Ray makeRay(Vector3 origin, Vector3 direction) {
    Ray r;
    r.origin = origin;
    r.direction = direction;
    return r;
}

struct DrawCall {
    Scene* scene;
    Matrix4x4* projection;
    Matrix4x4* view;
    Matrix4x4* model;
    Matrix4x4 modelValue;  // the model matrix as it was during the call
};

class DrawRecorder : public Renderer {
public:
    std::vector<DrawCall> calls;

    void render(Scene* scene, Matrix4x4* projection, Matrix4x4* view, Matrix4x4* model) override {
        calls.push_back(DrawCall{scene, projection, view, model, *model});
    }
};

// The square |x| <= 1, |y| <= 1 in the local z = 0 plane, hit from either side. Like a mesh
// it reports an unnormalised normal (length 4) pointing back towards the ray.
class SquareCollider : public Collider {
public:
    int tests = 0;  // how many times the shape was asked

    void raycast(Ray ray, RaycastInfo* info) override {
        tests++;
        if (ray.direction.z == 0) return;
        float t = -ray.origin.z / ray.direction.z;
        if (!(t >= 0)) return;
        if (info->distance >= 0 && info->distance <= t) return;
        Vector3 h = ray.origin + ray.direction * t;
        if (std::fabs(h.x) > 1 || std::fabs(h.y) > 1) return;
        info->distance = t;
        info->point = h;
        info->normal = Vector3(0, 0, ray.direction.z < 0 ? 4.0f : -4.0f);
    }
};
