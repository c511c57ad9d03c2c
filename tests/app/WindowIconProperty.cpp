#include "app/WindowIconProperty.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <climits>

namespace {

// The X window a window manager manages for the program's window; 0 when SDL cannot tell.
::Window managedWindow(void* platformWindow) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
#ifdef QUANDRELS_FIXED_BUILD
    // SDL 1.2 has one window; its icon sits on the frame it gives the window manager.
    (void)platformWindow;
    if (SDL_GetWMInfo(&info) <= 0) return 0;
    return info.info.x11.wmwindow;
#else
    if (!SDL_GetWindowWMInfo(static_cast<SDL_Window*>(platformWindow), &info)) return 0;
    return info.info.x11.window;
#endif
}

}  // namespace

std::vector<uint32_t> windowIconProperty(void* platformWindow) {
    std::vector<uint32_t> values;
    const ::Window window = managedWindow(platformWindow);
    if (window == 0) return values;
    ::Display* x = XOpenDisplay(nullptr);
    if (!x) return values;
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    const Atom icon = XInternAtom(x, "_NET_WM_ICON", False);
    if (XGetWindowProperty(x, window, icon, 0, LONG_MAX, False, XA_CARDINAL, &type, &format, &count, &after,
                           &data) == Success &&
        type == XA_CARDINAL && format == 32) {
        // Xlib hands 32-bit items over as longs.
        const long* items = reinterpret_cast<const long*>(data);
        for (unsigned long i = 0; i < count; i++) values.push_back(static_cast<uint32_t>(items[i]));
    }
    if (data) XFree(data);
    XCloseDisplay(x);
    return values;
}
