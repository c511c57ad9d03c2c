// GPU resource events for nodes that hold a mesh.
#include "scene/MeshEvents.h"

#include <cstring>

#include "resources/ResourceEvents.h"
#include "render/Mesh.h"
#include "resources/Resource.h"

MeshEvent handleMeshEvent(const Event* r, Mesh* mesh, MeshResource* entry) {
    if (r->name == nullptr) return MeshEvent::OTHER;
    if (strcmp(r->name, Events::CREATE_RESOURCES) == 0) {
        if (mesh != nullptr) mesh->createBuffers();
        return MeshEvent::CREATE;
    }
    if (strcmp(r->name, Events::RELEASE_RESOURCES) == 0) {
        if (entry != nullptr) entry->release();
        if (mesh != nullptr) mesh->releaseBuffers();
        return MeshEvent::RELEASE;
    }
    return MeshEvent::OTHER;
}
