#include "app/ScreenPixel.h"

#include <GL/glx.h>
#include <X11/Xutil.h>

namespace {

int channel(unsigned long pixel, unsigned long mask) {
    if (mask == 0) return -1;
    int shift = 0;
    while (((mask >> shift) & 1) == 0) shift++;
    unsigned long value = (pixel & mask) >> shift;
    unsigned long max = mask >> shift;
    return static_cast<int>(value * 255 / max);
}

}  // namespace

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
