// Icon: construction, and the sinking on a press.
#include "game/gallery/Icon.h"

#include "app/Overlay.h"
#include "core/EventName.h"
#include "game/gallery/GalleryEvents.h"
#include "math/Matrix4x4.h"
#include "render/Mesh.h"
#include "scene/MeshCollider.h"
#include "window/Interpolation.h"
#include "window/Timer.h"
#include "window/WindowEvents.h"

namespace {

constexpr float PRESS_POINTS[] = {0.0f, Icon::PRESS_SECONDS / 2, Icon::PRESS_SECONDS};
constexpr float PRESS_DEPTHS[] = {0.0f, Icon::PRESS_DEPTH, 0.0f};

}  // namespace

Icon::Icon(Display* display, const char* texture, int difficulty) : display(display), difficulty(difficulty) {
    // Straight ahead of the viewer, twice as wide as high, until the gallery moves it.
    localMatrix.translate(Vector3(0, 0, REST_DEPTH));
    Overlay::placePicture(this, texture, 0, 0, 1, HEIGHT_SCALE);

    // Picking tests a plane of the icon's own shape; it needs no GPU buffers.
    add(new MeshCollider(Mesh::createPlane(Matrix4x4())));

    pressTimer = new Timer(PRESS_SECONDS);
    pressTimer->setIntervals(3, PRESS_POINTS);
    pressTimer->timeoutEvent = Events::ENTER_TEASER;
    add(pressTimer);
}

float Icon::depthOf(Timer* pressTimer) {
    return Interpolation::linear(pressTimer, PRESS_DEPTHS, sizeof(float), 0, false) + REST_DEPTH;
}

Event* Icon::onEvent(Event* e) {
    Event* r = MeshRenderer::onEvent(e);
    if (isEvent(e, Events::UPDATE)) depth = depthOf(pressTimer);
    return r;
}
