// Display base: letter-boxed viewport, the keys every display shares, forwarding to the
// shared layer.
#include "app/Display.h"

#include "app/Application.h"
#include "app/SharedLayer.h"
#include "core/EventName.h"
#include "platform/GL.h"
#include "window/Keys.h"
#include "window/Window.h"
#include "window/WindowEvents.h"

Display::Display(Application* app) : app(app) {}

Rect Display::letterbox(int windowWidth, int windowHeight, Rect current) {
    // A window without area (minimised, or not sized yet) has no shape to fit: keep the last
    // viewport so that no camera ever sees a zero height.
    if (windowWidth <= 0 || windowHeight <= 0) return current;
    const double k = static_cast<double>(ASPECT);
    const double w = windowWidth;
    const double h = windowHeight;
    Rect r;
    if (k > w / h) {
        // Relatively taller than the design: bars above and below.
        r.x = 0;
        r.width = windowWidth;
        r.height = static_cast<int32_t>(w / k);
        r.y = static_cast<int32_t>(h * 0.5 - (w / k) * 0.5);
    } else {
        // Relatively wider: bars left and right.
        r.y = 0;
        r.height = windowHeight;
        r.width = static_cast<int32_t>(h * k);
        r.x = static_cast<int32_t>(w * 0.5 - h * k * 0.5);
    }
    // A window one or two pixels across would truncate a side to nothing.
    if (r.width < 1) r.width = 1;
    if (r.height < 1) r.height = 1;
    return r;
}

Event* Display::onEvent(Event* e) {
    Window* window = app ? app->window : nullptr;
    if (window) {
        if (isEvent(e, Events::UPDATE) || isEvent(e, Events::RESIZE)) {
            viewport = letterbox(window->viewport.width, window->viewport.height, viewport);
        } else if (isEvent(e, Events::KEYDOWN)) {
            // Holding Alt+Return must not flip the mode back and forth on every repeat.
            if ((window->key.mod & Keys::MOD_ALT) != 0 && window->key.sym == Keys::RETURN &&
                !window->keyRepeat) {
                app->fullscreenRequested = true;
                window->quit();
            }
        } else if (isEvent(e, Events::ESCAPE)) {
            toGallery();
        }
    }
    if (app && app->sharedLayer) app->sharedLayer->sendBroadcast(e);
    return e;
}

void Display::toGallery() {
    if (app && app->sharedLayer && app->gallery) app->sharedLayer->fadeTo(app->gallery);
}

void Display::clearFrame() {
    app->window->setGLViewport();
    glClearColor(0, 0, 0, 1);
    glDepthMask(GL_TRUE);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}
