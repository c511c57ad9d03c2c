// MeshCollider: picking against triangle meshes.
#include "scene/MeshCollider.h"

#include <cstring>

#include "app/Events.h"
#include "render/Mesh.h"
#include "storage/Resource.h"

MeshCollider::~MeshCollider() { delete mesh; }

Event* MeshCollider::onEvent(Event* e) {
    Event* r = Collider::onEvent(e);
    if (r->name == nullptr) return r;
    if (strcmp(r->name, Events::CREATE_RESOURCES) == 0) {
        if (mesh != nullptr) mesh->createBuffers();
    } else if (strcmp(r->name, Events::RELEASE_RESOURCES) == 0) {
        if (meshResource != nullptr) meshResource->release();
        if (mesh != nullptr) mesh->releaseBuffers();
    }
    return r;
}

void MeshCollider::raycast(Ray ray, RaycastInfo* info) {
    Mesh* shape = mesh;
    if (shape == nullptr) {
        if (meshResource == nullptr) throw "Mesh and MeshResource is not set";
        shape = meshResource->getMesh();
    }
    shape->raycast(ray, info);
}
