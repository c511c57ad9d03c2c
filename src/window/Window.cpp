// The parts of Window that are the same in both builds: the frame loop around the
// platform's event translation and buffer swap, the input handlers, and the viewport helpers.
#include "window/Window.h"

#include <SDL.h>

#include <thread>

#include "core/Log.h"
#include "platform/GL.h"
#include "window/Keys.h"
#include "window/WindowEvents.h"

Window::Window(Detached, int width, int height) {
    viewport.width = width;
    viewport.height = height;
}

std::chrono::microseconds Window::frameDelay(std::chrono::microseconds work) {
    return work < FRAME_TIME ? FRAME_TIME - work : std::chrono::microseconds(0);
}

void Window::runFrame() {
    pollEvents();
    uint32_t now = fixedFrameMs != 0 ? lastTicks + fixedFrameMs : SDL_GetTicks();
    ticks = now;
    uint32_t elapsed = now - lastTicks;
    deltaTime = static_cast<float>(elapsed) / 1000.0f;
    sendBroadcast(Events::UPDATE);
    lastTicks = ticks;
    swapBuffers();
}

void Window::run() {
    bool shown = false;
    while (running) {
        const auto frameStart = std::chrono::steady_clock::now();
        runFrame();
        if (!shown && logFirstFrame) log("First frame shown\n");
        shown = true;
        // Measured after the swap, so that this frame's own work is what the sleep pays for.
        const auto work = std::chrono::duration_cast<std::chrono::microseconds>(
            std::chrono::steady_clock::now() - frameStart);
        const auto delay = frameDelay(work);
        if (delay.count() > 0) std::this_thread::sleep_for(delay);
    }
}

void Window::quit() {
    if (!pushQuitEvent()) {
        log("SDL_QUIT event can't be pushed: %s\n", SDL_GetError());
        running = false;
    }
}

void Window::onQuit() {
    log("Quit send\n");
    running = false;
}

void Window::onResize(int width, int height) {
    viewport.width = width;
    viewport.height = height;
    sendBroadcast(Events::RESIZE);
}

void Window::onKeyDown(const KeyRecord& record, bool repeat) {
    key = record;
    keyRepeat = repeat;
    sendBroadcast(Events::KEYDOWN);
    if (key.sym == Keys::ESCAPE) sendBroadcast(Events::ESCAPE);
}

void Window::onPointerMove(Vector2 position, Vector2 delta) {
    mousePosition = position;
    mouseDelta = delta;
    sendBroadcast(Events::MOUSE_MOVE);
}

void Window::onPointerDown(Vector2 position, uint8_t button) {
    mouseButton = button;
    mousePressed = true;
    mouseDownPosition = position;
    mousePosition = position;
    sendBroadcast(Events::MOUSE_DOWN);
}

void Window::onPointerUp(Vector2 position, uint8_t button) {
    mousePosition = position;
    mouseButton = button;
    sendBroadcast(Events::RAW_MOUSE_UP);
    if (mousePressed) sendBroadcast(Events::MOUSE_UP);
    mousePressed = false;
}

Vector2 Window::toFractions(int x, int y) const {
    // A window that has no size yet cannot place the pointer; report its origin rather
    // than an infinity that would travel into picking rays.
    float fx = viewport.width > 0 ? static_cast<float>(x) / static_cast<float>(viewport.width) : 0.0f;
    float fy = viewport.height > 0 ? static_cast<float>(y) / static_cast<float>(viewport.height) : 0.0f;
    return Vector2(fx, fy);
}

void Window::setDisplay(Component* d) {
    sendBroadcast(Events::LEAVE);
    if (display) display->unlink();
    add(d);
    display = d;
    sendBroadcast(Events::SHOW);
}

void Window::logGLStrings() {
    struct Line {
        const char* format;
        GLenum name;
    };
    static const Line lines[] = {{"GL Version: %s\n", GL_VERSION},
                                 {"GL Vendor: %s\n", GL_VENDOR},
                                 {"GL Renderer: %s\n", GL_RENDERER},
                                 {"GL Extensions: %s\n", GL_EXTENSIONS},
                                 {"GLSL Version: %s\n", GL_SHADING_LANGUAGE_VERSION}};
    for (const Line& line : lines) {
        // A context that answers nothing (GL_EXTENSIONS in a core profile) logs an empty text.
        const GLubyte* text = glGetString(line.name);
        log(line.format, text ? reinterpret_cast<const char*>(text) : "");
    }
}

void Window::setGLViewport() { glViewport(viewport.x, viewport.y, viewport.width, viewport.height); }

bool Window::viewportContainsMouse(Rect r, Vector2 m) {
    int px = static_cast<int>(static_cast<float>(viewport.width) * m.x);
    int py = static_cast<int>(static_cast<float>(viewport.height) * m.y);
    return r.x <= px && px < r.x + r.width && r.y <= py && py < r.y + r.height;
}

Vector2 Window::mouseToViewport(Rect r, Vector2 m) {
    return Vector2(
        (static_cast<float>(viewport.width) * m.x - static_cast<float>(r.x)) / static_cast<float>(r.width),
        (static_cast<float>(viewport.height) * m.y - static_cast<float>(r.y)) / static_cast<float>(r.height));
}
