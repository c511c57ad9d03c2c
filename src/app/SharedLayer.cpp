#include "app/SharedLayer.h"

#include <cstring>

#include "app/Display.h"
#include "window/WindowEvents.h"
#include "resources/ResourceEvents.h"
#include "app/FadeEvents.h"
#include "window/Interpolation.h"
#include "app/Application.h"
#include "window/Timer.h"
#include "window/Window.h"
#include "render/Mesh.h"
#include "render/Texture.h"
#include "scene/Camera.h"
#include "scene/MeshRenderer.h"
#include "resources/Resources.h"

namespace {

// Opacity keys over the timer's points 0, 0.5 and 1: clear, black, clear.
const float FADE_KEYS[] = {0.0f, 1.0f, 0.0f};
const float FADE_POINTS[] = {0.0f, 0.5f, 1.0f};
constexpr unsigned int STATIC_DRAW = 35044;

}  // namespace

SharedLayer::SharedLayer(Application* app) : app(app) {
    camera = new Camera(911, 512);
    add(camera);

    plane = new MeshRenderer();
    plane->localMatrix.translate(Vector3(456, 256, 0));
    plane->localMatrix.scale(Vector3(512, -256, 1));
    plane->mesh = Mesh::createTexturedPlane(STATIC_DRAW, Matrix4x4());
    plane->textureResource = Resources::getTextureResource("pixel.png", 1, Texture::NO_COLOR_KEY);
    plane->materialResource = Resources::SIMPLE_TEXTURED_MATERIAL;
    plane->depthTest = false;
    plane->visible = false;
    add(plane);

    timer = new Timer(1.0f);
    timer->phaseEvent = Events::FADE_PHASE;
    timer->timeoutEvent = Events::FADE_TIMEOUT;
    timer->setIntervals(3, FADE_POINTS);
    add(timer);
}

void SharedLayer::fadeTo(Display* d) {
    if (plane->visible) return;
    target = d;
    plane->visible = true;
    timer->start(0);
}

Event* SharedLayer::onEvent(Event* e) {
    if (strcmp(e->name, Events::UPDATE) == 0) {
        Window* window = app->window;
        if (Display* shown = window ? dynamic_cast<Display*>(window->display) : nullptr) {
            viewportRef = &shown->viewport;
        }
        float a = Interpolation::linear(timer, FADE_KEYS, 4, 0, false);
        plane->ambientColor = Color{0, 0, 0, a};
        render();
    } else if (strcmp(e->name, Events::FADE_PHASE) == 0) {
        // Phase 2 begins when the point 0.5 is passed: the screen is black.
        if (timer->phase == 2 && target) {
            target->sendBroadcast(Events::CREATE_RESOURCES);
            Component* old = app->window->display;
            app->window->setDisplay(target);
            if (old) old->sendBroadcast(Events::RELEASE_RESOURCES);
            sendBroadcast(Events::CREATE_RESOURCES);
        }
    } else if (strcmp(e->name, Events::FADE_TIMEOUT) == 0) {
        plane->visible = false;
    }
    return e;
}
