// MeshCollider: a collider whose shape is a Mesh, tested triangle by triangle; the mesh is
// its own or a registry entry's.
#pragma once

#include "scene/Collider.h"

class Mesh;
class MeshResource;

class MeshCollider : public Collider {
public:
    MeshResource* meshResource = nullptr;  // not owned
    Mesh* mesh = nullptr;                  // owned; takes precedence over meshResource

    MeshCollider() = default;
    explicit MeshCollider(MeshResource* resource) : meshResource(resource) {}
    explicit MeshCollider(Mesh* mesh) : mesh(mesh) {}  // takes ownership
    ~MeshCollider() override;

    // The Collider handling; "createResources" rebuilds the own mesh's GPU buffers,
    // "releaseResources" drops them and releases the registry entry.
    Event* onEvent(Event* e) override;

    // Throws "Mesh and MeshResource is not set" without a shape.
    void raycast(Ray ray, RaycastInfo* info) override;
};
