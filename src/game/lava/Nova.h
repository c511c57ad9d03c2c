// Nova: a coloured burst that flies out of a stone along its spin axis when the stone lights
// up or celebrates. It grows to about six times its size, fast at first, fades out within
// 0.7 s and removes itself. Its mesh is seen from both sides. Plays "impulse.wav".
#pragma once

#include "math/Color.h"
#include "math/Vector3.h"
#include "scene/MeshRenderer.h"

class Nova : public MeshRenderer {
public:
    static constexpr float LIFETIME = 0.7f;
    static constexpr float START_SCALE = 0.3f;

    float age = 0;  // seconds

    // Stands at `position` looking towards position + direction (up (0, 1, 0)), tinted
    // `colour`, in the novas' layer.
    Nova(Vector3 position, Vector3 direction, Color colour);

    // "update": ages, grows and fades; expires once older than LIFETIME.
    Event* onEvent(Event* e) override;

    // The shared nova mesh is drawn without face culling.
    void render(Scene* scene, Matrix4x4* projection, Matrix4x4* view, Matrix4x4* model) override;

    // The growth factor of one frame of dt seconds that ends at `age`.
    static float growth(float dt, float age);
};
