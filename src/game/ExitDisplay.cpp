#include "game/ExitDisplay.h"

#include <cstring>

#include "window/WindowEvents.h"
#include "app/Application.h"
#include "window/Window.h"
#include "platform/GL.h"
#include "render/Mesh.h"
#include "render/Texture.h"
#include "scene/Camera.h"
#include "scene/MeshRenderer.h"
#include "scene/Scene.h"
#include "resources/Resources.h"

namespace {
constexpr unsigned int STATIC_DRAW = 35044;
}

ExitDisplay::ExitDisplay(Application* app) : Display(app) {
    scene = new Scene();
    scene->viewportRef = &viewport;
    Camera* camera = new Camera(911, 512);
    scene->camera = camera;
    scene->add(camera);

    MeshRenderer* picture = new MeshRenderer();
    picture->localMatrix.translate(Vector3(456, 256, 0));
    picture->localMatrix.scale(Vector3(512, -256, 1));
    picture->mesh = Mesh::createTexturedPlane(STATIC_DRAW, Matrix4x4());
    picture->textureResource = Resources::getTextureResource("exit.png", 1, Texture::NO_COLOR_KEY);
    picture->materialResource = Resources::SIMPLE_TEXTURED_MATERIAL;
    scene->add(picture);

    add(scene);
}

Event* ExitDisplay::onEvent(Event* e) {
    if (strcmp(e->name, Events::UPDATE) == 0) {
        Window* window = app->window;
        window->setGLViewport();
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        // Drawn with the viewport of the previous "update" or "resize": the base handler
        // recomputes it afterwards.
        scene->render();
        return Display::onEvent(e);
    }
    if (strcmp(e->name, Events::ESCAPE) == 0 || strcmp(e->name, Events::MOUSE_UP) == 0) {
        app->window->quit();
        return e;
    }
    return Display::onEvent(e);
}
