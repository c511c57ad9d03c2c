// GPU resource events for nodes that hold a mesh.
#include "scene/MeshEvents.h"

#include "core/EventName.h"
#include "render/Mesh.h"
#include "resources/Resource.h"
#include "resources/ResourceEvents.h"

MeshEvent handleMeshEvent(const Event* r, Mesh* mesh, MeshResource* entry) {
    if (r->name == nullptr) return MeshEvent::OTHER;
    if (isEvent(r, Events::CREATE_RESOURCES)) {
        if (mesh != nullptr) mesh->createBuffers();
        return MeshEvent::CREATE;
    }
    if (isEvent(r, Events::RELEASE_RESOURCES)) {
        if (entry != nullptr) entry->release();
        if (mesh != nullptr) mesh->releaseBuffers();
        return MeshEvent::RELEASE;
    }
    return MeshEvent::OTHER;
}
