#include "game/lava/Stone.h"

#include <algorithm>
#include <cstdlib>

#include "core/EventName.h"
#include "game/lava/LavaEvents.h"
#include "game/lava/LavaLevels.h"
#include "game/lava/Nova.h"
#include "resources/Resources.h"
#include "scene/MeshCollider.h"
#include "scene/Scene.h"
#include "scene/TexturedPlane.h"
#include "window/FrameTime.h"
#include "window/WindowEvents.h"

Stone::Stone(int id, bool lit, float x, float y, const char* mesh, StoneKind kind)
    : id(id), lit(lit), kind(kind) {
    localMatrix.translate(Vector3(x, y, LavaLevels::STONE_Z));
    localMatrix.scale(Vector3(SCALE, SCALE, SCALE));
    if (!lit) ambientColor = Color{DARK, DARK, DARK, 1};
    meshResource = Resources::getMeshResource(mesh);
    textureResource = TexturedPlane::picture(look(kind).texture);
    materialResource = Resources::SIMPLE_TEXTURED_MATERIAL;
    add(new MeshCollider(meshResource));
    randomAxis();
    localMatrix.rotate(axis, 45);
}

Vector3 Stone::drawAxis() {
    int r1 = rand() % 100;
    int r2 = rand() % 100;
    int r3 = rand() % 100;
    Vector3 raw(r3 / 50.0f - 1, r2 / 50.0f - 1, r1 / 50.0f - 1);
    if (length(raw) < 0.01f) return Vector3(0, 1, 0);
    return normalize(raw);
}

void Stone::randomAxis() { axis = drawAxis(); }

const StoneLook& Stone::look(StoneKind kind) {
    for (const StoneLook& entry : STONE_LOOKS) {
        if (entry.kind == kind) return entry;
    }
    return STONE_LOOKS[static_cast<int>(StoneKind::GREEN_LAVA)];
}

float Stone::brightnessAfter(float b, bool lit, float dt) {
    return lit ? std::min(1.0f, b + LIGHT_UP_RATE * dt) : std::max(DARK, b - DIM_RATE * dt);
}

namespace {

bool isOwnId(const Event* e, int id) { return e->data != nullptr && *static_cast<const int*>(e->data) == id; }

}  // namespace

Event* Stone::onEvent(Event* e) {
    Event* r = MeshRenderer::onEvent(e);
    if (isEvent(e, Events::UPDATE)) {
        float dt = frameTime(e);
        localMatrix.rotate(axis, dt * spin);
        if (!celebrating) spin = std::max(0.0f, spin - SPIN_DECAY * dt);
        float b = brightnessAfter(ambientColor.r, lit, dt);
        ambientColor = Color{b, b, b, 1};
    } else if (isEvent(e, Events::SWITCH)) {
        if (isOwnId(e, id)) {
            lit = !lit;
            // A stone that goes dark only fades.
            if (lit) {
                randomAxis();
                spin = BURST_SPIN;
                burst();
            }
        }
    } else if (isEvent(e, Events::TEST_SUCCESS)) {
        if (!lit && e->data != nullptr) *static_cast<bool*>(e->data) = false;
    } else if (isEvent(e, Events::NOVA)) {
        if (isOwnId(e, id)) {
            randomAxis();
            burst();
        }
    } else if (isEvent(e, Events::WIN)) {
        randomAxis();
        spin = BURST_SPIN;
        celebrating = true;
    } else if (isEvent(e, Events::RESET_STATES)) {
        if (e->data != nullptr && id >= 0 && id < LavaLevels::STONES)
            lit = static_cast<const bool*>(e->data)[id];
        celebrating = false;
    }
    return r;
}

void Stone::burst() {
    // The axis is carried through the holder's matrix as a point, so a nova of a stone on the
    // level-3 ring also takes the ring's offset.
    Transform* holder = findAncestor<Transform>(parent);
    Matrix4x4 holderMatrix = holder != nullptr ? holder->getGlobalTransform() : Matrix4x4();
    Nova* nova =
        new Nova(getGlobalTransform().getBase(), holderMatrix.translateVector(axis), look(kind).novaColour);
    if (Scene* scene = findAncestor<Scene>(this)) {
        scene->add(nova);
    } else {
        delete nova;
    }
}
