#include "game/runes/Button.h"

#include "render/Mesh.h"
#include "scene/MeshCollider.h"
#include "scene/TexturedPlane.h"

Button::Button(float x, float y, float z, const char* texture) {
    localMatrix.translate(Vector3(x, y, z));
    TexturedPlane::dress(this, texture);
    add(new MeshCollider(Mesh::createPlane(Matrix4x4())));
}
