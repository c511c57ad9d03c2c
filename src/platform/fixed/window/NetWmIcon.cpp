#include "platform/NetWmIcon.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <cstring>
#include <vector>

void setNetWmIcon(SDL_Surface* picture) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (SDL_GetWMInfo(&info) <= 0 || info.subsystem != SDL_SYSWM_X11) return;
    // Width, height, then one ARGB pixel per item, rows from the top; Xlib takes 32-bit
    // items as longs.
    std::vector<long> items;
    items.push_back(picture->w);
    items.push_back(picture->h);
    if (SDL_LockSurface(picture) != 0) return;
    const int bytes = picture->format->BytesPerPixel;
    for (int y = 0; y < picture->h; y++) {
        const Uint8* row = static_cast<const Uint8*>(picture->pixels) + y * picture->pitch;
        for (int x = 0; x < picture->w; x++) {
            const Uint8* p = row + x * bytes;
            Uint32 pixel = 0;
            if (bytes == 4) {
                memcpy(&pixel, p, 4);
            } else if (bytes == 3) {
                pixel = SDL_BYTEORDER == SDL_LIL_ENDIAN ? p[0] | p[1] << 8 | p[2] << 16
                                                        : p[0] << 16 | p[1] << 8 | p[2];
            } else {
                pixel = p[0];
            }
            Uint8 r, g, b, a;
            SDL_GetRGBA(pixel, picture->format, &r, &g, &b, &a);
            items.push_back(static_cast<long>(static_cast<unsigned long>(a) << 24 | r << 16 | g << 8 | b));
        }
    }
    SDL_UnlockSurface(picture);
    info.info.x11.lock_func();
    ::Display* display = info.info.x11.display;
    XChangeProperty(display, info.info.x11.wmwindow, XInternAtom(display, "_NET_WM_ICON", False), XA_CARDINAL,
                    32, PropModeReplace, reinterpret_cast<const unsigned char*>(items.data()),
                    static_cast<int>(items.size()));
    XFlush(display);
    info.info.x11.unlock_func();
}
