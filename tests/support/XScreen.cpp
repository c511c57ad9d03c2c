#include "support/XScreen.h"

#include <GL/glx.h>
#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <unistd.h>

#include <algorithm>

namespace {

int channel(unsigned long pixel, unsigned long mask) {
    if (mask == 0) return -1;
    int shift = 0;
    while (((mask >> shift) & 1) == 0) shift++;
    unsigned long value = (pixel & mask) >> shift;
    unsigned long max = mask >> shift;
    return static_cast<int>(value * 255 / max);
}

// The pixels of a rectangle of `drawable` as rows of R, G, B bytes; sets the size read, 0 x 0
// when nothing could be read.
std::vector<unsigned char> readImage(::Display* display, Drawable drawable, int x, int y, int w, int h,
                                     int* width, int* height) {
    std::vector<unsigned char> rgb;
    *width = *height = 0;
    XImage* image = XGetImage(display, drawable, x, y, static_cast<unsigned>(w), static_cast<unsigned>(h),
                              AllPlanes, ZPixmap);
    if (!image) return rgb;
    *width = w;
    *height = h;
    rgb.reserve(static_cast<size_t>(w) * h * 3);
    for (int row = 0; row < h; row++) {
        for (int column = 0; column < w; column++) {
            unsigned long pixel = XGetPixel(image, column, row);
            rgb.push_back(static_cast<unsigned char>(channel(pixel, image->red_mask)));
            rgb.push_back(static_cast<unsigned char>(channel(pixel, image->green_mask)));
            rgb.push_back(static_cast<unsigned char>(channel(pixel, image->blue_mask)));
        }
    }
    XDestroyImage(image);
    return rgb;
}

}  // namespace

void keepContentsWhenCovered() {
    ::Display* display = glXGetCurrentDisplay();
    GLXDrawable drawable = glXGetCurrentDrawable();
    if (!display || !drawable) return;
    XSetWindowAttributes attributes = {};
    attributes.backing_store = Always;
    XChangeWindowAttributes(display, drawable, CWBackingStore, &attributes);
    XSync(display, False);
}

std::array<int, 3> shownPixel(int x, int y) {
    ::Display* display = glXGetCurrentDisplay();
    GLXDrawable drawable = glXGetCurrentDrawable();
    if (!display || !drawable) return {-1, -1, -1};
    XSync(display, False);
    XImage* image = XGetImage(display, drawable, x, y, 1, 1, AllPlanes, ZPixmap);
    if (!image) return {-1, -1, -1};
    unsigned long pixel = XGetPixel(image, 0, 0);
    std::array<int, 3> rgb = {channel(pixel, image->red_mask), channel(pixel, image->green_mask),
                              channel(pixel, image->blue_mask)};
    XDestroyImage(image);
    return rgb;
}

std::array<int, 2> drawableSize() {
    ::Display* display = glXGetCurrentDisplay();
    GLXDrawable drawable = glXGetCurrentDrawable();
    if (!display || !drawable) return {0, 0};
    Window root;
    int x, y;
    unsigned int width = 0, height = 0, border, depth;
    if (!XGetGeometry(display, drawable, &root, &x, &y, &width, &height, &border, &depth)) return {0, 0};
    return {static_cast<int>(width), static_cast<int>(height)};
}

std::vector<unsigned char> drawableImage(int* width, int* height) {
    *width = *height = 0;
    std::array<int, 2> size = drawableSize();
    ::Display* display = glXGetCurrentDisplay();
    GLXDrawable drawable = glXGetCurrentDrawable();
    if (!display || !drawable || size[0] <= 0) return {};
    XSync(display, False);
    return readImage(display, drawable, 0, 0, size[0], size[1], width, height);
}

void movePointerAway(const char* name) {
    ::Display* display = XOpenDisplay(name);
    if (!display) return;
    int screen = DefaultScreen(display);
    XWarpPointer(display, None, RootWindow(display, screen), 0, 0, 0, 0, DisplayWidth(display, screen) - 1,
                 DisplayHeight(display, screen) - 1);
    XSync(display, False);
    XCloseDisplay(display);
}

void settleServer(const char* name) {
    // The server flushes every client's events before it waits for more requests, which it
    // does before it reads a new connection's: a round trip on one of our own comes after.
    ::Display* display = XOpenDisplay(name);
    if (!display) return;
    XSync(display, False);
    XCloseDisplay(display);
}

std::array<int, 2> screenSize(const char* name) {
    ::Display* display = XOpenDisplay(name);
    if (!display) return {0, 0};
    int screen = DefaultScreen(display);
    std::array<int, 2> size = {DisplayWidth(display, screen), DisplayHeight(display, screen)};
    XCloseDisplay(display);
    return size;
}

namespace {

bool acceptsDelete(::Display* display, Window window, Atom deleteWindow) {
    Atom* protocols = nullptr;
    int count = 0;
    bool found = false;
    if (XGetWMProtocols(display, window, &protocols, &count)) {
        for (int i = 0; i < count; i++) found = found || protocols[i] == deleteWindow;
        XFree(protocols);
    }
    return found;
}

long pidOf(::Display* display, Window window, Atom pidAtom) {
    Atom type;
    int format;
    unsigned long items, after;
    unsigned char* data = nullptr;
    long pid = -1;
    if (XGetWindowProperty(display, window, pidAtom, 0, 1, False, XA_CARDINAL, &type, &format, &items, &after,
                           &data) == Success &&
        data) {
        if (items == 1 && format == 32) pid = *reinterpret_cast<long*>(data);
        XFree(data);
    }
    return pid;
}

Window search(::Display* display, Window window, long pid, Atom pidAtom, Atom deleteWindow) {
    if (pidOf(display, window, pidAtom) == pid && acceptsDelete(display, window, deleteWindow)) return window;
    Window root, parent;
    Window* children = nullptr;
    unsigned int count = 0;
    Window found = 0;
    if (XQueryTree(display, window, &root, &parent, &children, &count)) {
        for (unsigned int i = 0; i < count && !found; i++) {
            found = search(display, children[i], pid, pidAtom, deleteWindow);
        }
        if (children) XFree(children);
    }
    return found;
}

// Windows of other tests come and go while the tree is walked; a window that vanished
// between listing and asking is simply not the one looked for.
int ignoreError(::Display*, XErrorEvent*) { return 0; }

}  // namespace

unsigned long windowOfProcess(int pid, const char* name) {
    ::Display* display = XOpenDisplay(name);
    if (!display) return 0;
    XErrorHandler previous = XSetErrorHandler(ignoreError);
    Atom pidAtom = XInternAtom(display, "_NET_WM_PID", False);
    Atom deleteWindow = XInternAtom(display, "WM_DELETE_WINDOW", False);
    Window found = search(display, DefaultRootWindow(display), pid, pidAtom, deleteWindow);
    XSync(display, False);
    XCloseDisplay(display);
    XSetErrorHandler(previous);
    return found;
}

bool requestClose(unsigned long window, const char* name) {
    ::Display* display = XOpenDisplay(name);
    if (!display) return false;
    XErrorHandler previous = XSetErrorHandler(ignoreError);
    XEvent event = {};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    Status sent = XSendEvent(display, window, False, NoEventMask, &event);
    XSync(display, False);
    XCloseDisplay(display);
    XSetErrorHandler(previous);
    return sent != 0;
}

std::vector<unsigned char> windowImage(unsigned long window, int* width, int* height, const char* name) {
    std::vector<unsigned char> rgb;
    *width = *height = 0;
    ::Display* display = XOpenDisplay(name);
    if (!display) return rgb;
    XErrorHandler previous = XSetErrorHandler(ignoreError);
    XSetWindowAttributes attributes = {};
    attributes.backing_store = Always;
    XChangeWindowAttributes(display, window, CWBackingStore, &attributes);
    XRaiseWindow(display, window);
    XSync(display, False);
    // What another window covered until now is repainted by the program's next frames.
    usleep(300 * 1000);
    XWindowAttributes shape;
    if (XGetWindowAttributes(display, window, &shape)) {
        rgb = readImage(display, window, 0, 0, shape.width, shape.height, width, height);
    }
    XSync(display, False);
    XCloseDisplay(display);
    XSetErrorHandler(previous);
    return rgb;
}

std::array<int, 4> windowArea(unsigned long window, const char* name) {
    std::array<int, 4> area = {0, 0, 0, 0};
    ::Display* display = XOpenDisplay(name);
    if (!display) return area;
    XErrorHandler previous = XSetErrorHandler(ignoreError);
    XWindowAttributes shape;
    Window child;
    int x = 0, y = 0;
    if (XGetWindowAttributes(display, window, &shape) &&
        XTranslateCoordinates(display, window, DefaultRootWindow(display), 0, 0, &x, &y, &child)) {
        area = {x, y, shape.width, shape.height};
    }
    XSync(display, False);
    XCloseDisplay(display);
    XSetErrorHandler(previous);
    return area;
}

bool unmanagedWindowFillsScreen(const char* name) {
    ::Display* display = XOpenDisplay(name);
    if (!display) return false;
    XErrorHandler previous = XSetErrorHandler(ignoreError);
    int screen = DefaultScreen(display);
    Window root, parent;
    Window* children = nullptr;
    unsigned int count = 0;
    bool found = false;
    if (XQueryTree(display, RootWindow(display, screen), &root, &parent, &children, &count)) {
        for (unsigned int i = 0; i < count && !found; i++) {
            XWindowAttributes a;
            found = XGetWindowAttributes(display, children[i], &a) && a.map_state == IsViewable &&
                    a.override_redirect && a.x <= 0 && a.y <= 0 &&
                    a.x + a.width >= DisplayWidth(display, screen) &&
                    a.y + a.height >= DisplayHeight(display, screen);
        }
        if (children) XFree(children);
    }
    XSync(display, False);
    XCloseDisplay(display);
    XSetErrorHandler(previous);
    return found;
}

std::vector<unsigned char> screenImage(int x, int y, int w, int h, int* width, int* height,
                                       const char* name) {
    std::vector<unsigned char> rgb;
    *width = *height = 0;
    ::Display* display = XOpenDisplay(name);
    if (!display) return rgb;
    XErrorHandler previous = XSetErrorHandler(ignoreError);
    int screen = DefaultScreen(display);
    int right = std::min(x + w, DisplayWidth(display, screen));
    int bottom = std::min(y + h, DisplayHeight(display, screen));
    x = std::max(x, 0);
    y = std::max(y, 0);
    // The root window's image is the screen's, with every window on it as it is shown.
    if (right > x && bottom > y) {
        rgb = readImage(display, DefaultRootWindow(display), x, y, right - x, bottom - y, width, height);
    }
    XSync(display, False);
    XCloseDisplay(display);
    XSetErrorHandler(previous);
    return rgb;
}
