#include "game/lava/Nova.h"

#include "core/EventName.h"
#include "game/lava/LavaLayers.h"
#include "render/Mesh.h"
#include "resources/Resources.h"
#include "resources/SoundPlayback.h"
#include "scene/TexturedPlane.h"
#include "window/FrameTime.h"
#include "window/WindowEvents.h"

Nova::Nova(Vector3 position, Vector3 direction, Color colour) {
    localMatrix = Matrix4x4(position);
    lookAt(position + direction, Vector3(0, 1, 0));
    localMatrix.scale(Vector3(START_SCALE, START_SCALE, START_SCALE));
    ambientColor = colour;
    meshResource = Resources::getMeshResource("nova.obj");
    textureResource = TexturedPlane::picture("nova.png");
    materialResource = Resources::SIMPLE_TEXTURED_MATERIAL;
    layerMask = LavaLayers::NOVAS;
    playSound("impulse.wav");
}

float Nova::growth(float dt, float age) { return 1 + 4 * dt / (2 * age + 1); }

Event* Nova::onEvent(Event* e) {
    Event* r = MeshRenderer::onEvent(e);
    if (isEvent(e, Events::UPDATE)) {
        float dt = frameTime(e);
        age += dt;
        if (age > LIFETIME) expired = true;
        ambientColor.a = 1 - age / LIFETIME;
        float f = growth(dt, age);
        localMatrix.scale(Vector3(f, f, f));
    }
    return r;
}

void Nova::render(Scene* scene, Matrix4x4* projection, Matrix4x4* view, Matrix4x4* model) {
    // The registry may have dropped and reloaded the mesh since the last frame.
    if (meshResource != nullptr) meshResource->getMesh()->cullFace = false;
    MeshRenderer::render(scene, projection, view, model);
}
