#include "app/SharedLayer.h"

#include "app/Application.h"
#include "app/Display.h"
#include "app/FadeEvents.h"
#include "app/Overlay.h"
#include "core/EventName.h"
#include "core/FreedMemory.h"
#include "render/Mesh.h"
#include "render/Texture.h"
#include "resources/ResourceEvents.h"
#include "resources/Resources.h"
#include "scene/Camera.h"
#include "scene/MeshRenderer.h"
#include "window/Curve.h"
#include "window/Timer.h"
#include "window/Window.h"
#include "window/WindowEvents.h"

namespace {

// The black's opacity: clear, black half-way, clear again.
constexpr Curve<3> FADE = {
    CurveReading::ONCE,
    {{0.0f, 0.0f}, {SharedLayer::FADE_SECONDS / 2, 1.0f}, {SharedLayer::FADE_SECONDS, 0.0f}}};

}  // namespace

SharedLayer::SharedLayer(Application* app) : app(app) {
    camera = Overlay::makeCamera();
    add(camera);

    plane = Overlay::makeFullPicture("pixel.png");
    plane->depthTest = false;
    plane->visible = false;
    add(plane);

    timer = FADE.newTimer();
    timer->phaseEvent = Events::FADE_PHASE;
    timer->timeoutEvent = Events::FADE_TIMEOUT;
    add(timer);
}

void SharedLayer::fadeTo(Display* d) {
    if (plane->visible) return;
    target = d;
    plane->visible = true;
    timer->start(0);
}

void SharedLayer::switchTo(Display* d) {
    d->sendBroadcast(Events::CREATE_RESOURCES);
    Component* old = app->window->display;
    app->window->setDisplay(d);
    if (old) old->sendBroadcast(Events::RELEASE_RESOURCES);
    sendBroadcast(Events::CREATE_RESOURCES);
    returnFreedMemory();
}

Event* SharedLayer::onEvent(Event* e) {
    if (isEvent(e, Events::UPDATE)) {
        Window* window = app->window;
        if (Display* shown = window ? dynamic_cast<Display*>(window->display) : nullptr) {
            viewportRef = &shown->viewport;
        }
        float a = FADE.at(timer);
        plane->ambientColor = Color{0, 0, 0, a};
        render();
    } else if (isEvent(e, Events::FADE_PHASE)) {
        // Phase 2 begins when the point 0.5 is passed: the screen is black.
        if (timer->phase == 2 && target) switchTo(target);
    } else if (isEvent(e, Events::FADE_TIMEOUT)) {
        plane->visible = false;
    }
    return e;
}
