// Where a lava-stones display shows a point of its stone scene, in fractions of a window of
// the given size: where a test clicks a stone or the hidden reset of a real program, whose
// objects it cannot reach. The projection is the engine's camera's, set as the display sets
// it (the displays' perspective camera, at the origin looking along -z, in the letter box).
#pragma once

#include <array>

#include "app/Display.h"
#include "app/DisplayScene.h"
#include "math/Vector4.h"
#include "scene/Camera.h"
#include "scene/Scene.h"

inline std::array<double, 2> stoneScenePoint(double x, double y, double z, int width = 854,
                                             int height = 480) {
    Scene scene;
    scene.viewport = Display::letterbox(width, height, Rect{0, 0, width, height});
    auto* camera = new Camera(DisplayScene::FIELD_OF_VIEW, DisplayScene::NEAR_PLANE, DisplayScene::FAR_PLANE);
    scene.camera = camera;
    scene.add(camera);
    camera->updateProjection();
    const Vector4 clip = camera->projection.translateVector(Vector4(x, y, z, 1));
    const Rect& box = scene.viewport;
    return {(box.x + (clip.x / clip.w + 1) / 2 * box.width) / width,
            (box.y + (1 - clip.y / clip.w) / 2 * box.height) / height};
}
