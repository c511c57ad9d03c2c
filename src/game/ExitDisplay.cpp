#include "game/ExitDisplay.h"

#include "app/Application.h"
#include "app/DisplayScene.h"
#include "app/DrawPass.h"
#include "app/Overlay.h"
#include "core/EventName.h"
#include "scene/MeshRenderer.h"
#include "scene/Scene.h"
#include "window/Window.h"
#include "window/WindowEvents.h"

namespace {

constexpr DrawPass<ExitDisplay> PASSES[] = {
    {&ExitDisplay::scene, Scene::ALL_LAYERS, PassWrites::COLOUR_AND_DEPTH},
};

}  // namespace

ExitDisplay::ExitDisplay(Application* app) : Display(app) {
    scene = DisplayScene::overlay(this);
    scene->add(Overlay::makeFullPicture("exit.png"));
    add(scene);
}

Event* ExitDisplay::onEvent(Event* e) {
    if (isEvent(e, Events::UPDATE)) {
        clearFrame();
        // Drawn with the viewport of the previous "update" or "resize": the base handler
        // recomputes it afterwards.
        drawPasses(this, PASSES);
        return Display::onEvent(e);
    }
    if (isEvent(e, Events::ESCAPE) || isEvent(e, Events::MOUSE_UP)) {
        app->window->quit();
        return e;
    }
    return Display::onEvent(e);
}
