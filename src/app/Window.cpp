// The parts of Window that are the same in both builds.
#include "app/Window.h"

#include "app/Events.h"

Window::Window(Detached, int width, int height) {
    viewport.width = width;
    viewport.height = height;
}

void Window::setDisplay(Component* d) {
    sendBroadcast(Events::LEAVE);
    if (display) display->unlink();
    add(d);
    display = d;
    sendBroadcast(Events::SHOW);
}

bool Window::viewportContainsMouse(Rect r, Vector2 m) {
    int px = static_cast<int>(static_cast<float>(viewport.width) * m.x);
    int py = static_cast<int>(static_cast<float>(viewport.height) * m.y);
    return r.x <= px && px < r.x + r.width && r.y <= py && py < r.y + r.height;
}

Vector2 Window::mouseToViewport(Rect r, Vector2 m) {
    return Vector2((static_cast<float>(viewport.width) * m.x - static_cast<float>(r.x)) / static_cast<float>(r.width),
                   (static_cast<float>(viewport.height) * m.y - static_cast<float>(r.y)) / static_cast<float>(r.height));
}
