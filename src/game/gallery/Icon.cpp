// Icon: construction, and the sinking on a press.
#include "game/gallery/Icon.h"

#include "app/Overlay.h"
#include "core/EventName.h"
#include "game/gallery/GalleryEvents.h"
#include "math/Matrix4x4.h"
#include "render/Mesh.h"
#include "scene/MeshCollider.h"
#include "window/Curve.h"
#include "window/Timer.h"
#include "window/WindowEvents.h"

namespace {

// How far the icon has sunk: down within the first half of the press, back in the second.
constexpr Curve<3> SINKING = {
    CurveReading::ONCE,
    {{0.0f, 0.0f}, {Icon::PRESS_SECONDS / 2, Icon::PRESS_DEPTH}, {Icon::PRESS_SECONDS, 0.0f}}};

}  // namespace

Icon::Icon(Display* display, const char* texture, int difficulty) : display(display), difficulty(difficulty) {
    // Straight ahead of the viewer, twice as wide as high, until the gallery moves it.
    localMatrix.translate(Vector3(0, 0, REST_DEPTH));
    Overlay::placePicture(this, texture, 0, 0, 1, HEIGHT_SCALE);

    // Picking tests a plane of the icon's own shape; it needs no GPU buffers.
    add(new MeshCollider(Mesh::createPlane(Matrix4x4())));

    pressTimer = SINKING.newTimer();
    pressTimer->timeoutEvent = Events::ENTER_TEASER;
    add(pressTimer);
}

float Icon::depthOf(Timer* pressTimer) { return SINKING.at(pressTimer) + REST_DEPTH; }

Event* Icon::onEvent(Event* e) {
    Event* r = MeshRenderer::onEvent(e);
    if (isEvent(e, Events::UPDATE)) depth = depthOf(pressTimer);
    return r;
}
