#include "game/runes/Result.h"

#include "core/EventName.h"
#include "scene/TexturedPlane.h"
#include "window/Curve.h"
#include "window/Timer.h"
#include "window/WindowEvents.h"

namespace {

// The mark fades in; a green one also shrinks from four times its size into place.
constexpr Curve<2> FADING_IN = {CurveReading::ONCE, {{0, 0}, {0.5f, 1}}};
constexpr Curve<2> SUCCESS_SHRINKING = {CurveReading::ONCE, {{0, 0.5f}, {0.5f, Result::SCALE}}};

}  // namespace

Result::Result(float x, float y, bool success) : success(success), position(x, y, Z) {
    localMatrix.translate(position);
    localMatrix.scale(Vector3(SCALE, SCALE, SCALE));
    TexturedPlane::dress(this, success ? "successIcon.png" : "failIcon.png");
    ambientColor = success ? Color{0, 1, 0, 0} : Color{1, 0, 0, 0};

    fadeTimer = FADING_IN.newTimer();
    add(fadeTimer);
    fadeTimer->start(0);
}

Event* Result::onEvent(Event* e) {
    Event* r = MeshRenderer::onEvent(e);
    if (!isEvent(r, Events::UPDATE)) return r;
    ambientColor.a = FADING_IN.at(fadeTimer);
    if (success) {
        float s = SUCCESS_SHRINKING.at(fadeTimer);
        localMatrix.loadIdentity();
        localMatrix.translate(position);
        localMatrix.scale(Vector3(s, s, s));
    }
    return r;
}
