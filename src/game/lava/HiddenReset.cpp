#include "game/lava/HiddenReset.h"

#include "game/lava/LavaLevels.h"
#include "render/Mesh.h"
#include "scene/MeshCollider.h"

HiddenReset::HiddenReset(float x, float y, float size) {
    localMatrix.translate(Vector3(x, y, LavaLevels::STONE_Z));
    localMatrix.scale(Vector3(size, size, size));
    add(new MeshCollider(Mesh::createPlane(Matrix4x4())));
}
