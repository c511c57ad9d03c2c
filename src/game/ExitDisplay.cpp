#include "game/ExitDisplay.h"

#include "app/Application.h"
#include "app/Overlay.h"
#include "core/EventName.h"
#include "platform/GL.h"
#include "render/Mesh.h"
#include "render/Texture.h"
#include "resources/Resources.h"
#include "scene/Camera.h"
#include "scene/MeshRenderer.h"
#include "scene/Scene.h"
#include "window/Window.h"
#include "window/WindowEvents.h"

ExitDisplay::ExitDisplay(Application* app) : Display(app) {
    scene = new Scene();
    scene->viewportRef = &viewport;
    Camera* camera = Overlay::makeCamera();
    scene->camera = camera;
    scene->add(camera);
    scene->add(Overlay::makeFullPicture("exit.png"));

    add(scene);
}

Event* ExitDisplay::onEvent(Event* e) {
    if (isEvent(e, Events::UPDATE)) {
        Window* window = app->window;
        window->setGLViewport();
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        // Drawn with the viewport of the previous "update" or "resize": the base handler
        // recomputes it afterwards.
        scene->render();
        return Display::onEvent(e);
    }
    if (isEvent(e, Events::ESCAPE) || isEvent(e, Events::MOUSE_UP)) {
        app->window->quit();
        return e;
    }
    return Display::onEvent(e);
}
