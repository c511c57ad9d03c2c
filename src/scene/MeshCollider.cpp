// MeshCollider: picking against triangle meshes.
#include "scene/MeshCollider.h"

#include "render/Mesh.h"
#include "resources/Resource.h"
#include "scene/MeshEvents.h"

MeshCollider::~MeshCollider() { delete mesh; }

Event* MeshCollider::onEvent(Event* e) {
    Event* r = Collider::onEvent(e);
    handleMeshEvent(r, mesh, meshResource);
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
