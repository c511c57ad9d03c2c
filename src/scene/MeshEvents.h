// The GPU resource events as every mesh-holding scene node handles them: an own mesh
// rebuilds its buffers on "createResources" and drops them on "releaseResources", where a
// registry entry also drops what it loaded (it loads again on next use).
#pragma once

#include "core/Event.h"

class Mesh;
class MeshResource;

enum class MeshEvent { OTHER, CREATE, RELEASE };

// Handles r for the given mesh and entry (either may be null) and tells which event it was.
MeshEvent handleMeshEvent(const Event* r, Mesh* mesh, MeshResource* entry);
