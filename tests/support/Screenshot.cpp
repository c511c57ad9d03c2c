#include "support/Screenshot.h"

#include <SDL.h>
#include <SDL_image.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstring>
#include <fstream>

#include "app/Display.h"
#include "support/Png.h"

namespace {

int column(const Screenshot& s, double x) {
    return std::clamp(static_cast<int>(x * s.width), 0, s.width - 1);
}
int row(const Screenshot& s, double y) { return std::clamp(static_cast<int>(y * s.height), 0, s.height - 1); }

}  // namespace

Rgb Screenshot::pixel(double x, double y) const {
    if (empty()) return Rgb{-1, -1, -1};
    const unsigned char* p = &rgb[(static_cast<size_t>(row(*this, y)) * width + column(*this, x)) * 3];
    return Rgb{double(p[0]), double(p[1]), double(p[2])};
}

Rgb Screenshot::mean(double x0, double y0, double x1, double y1) const {
    if (empty()) return Rgb{-1, -1, -1};
    int left = column(*this, std::min(x0, x1)), right = column(*this, std::max(x0, x1));
    int top = row(*this, std::min(y0, y1)), bottom = row(*this, std::max(y0, y1));
    Rgb sum;
    double count = 0;
    for (int y = top; y <= bottom; y++) {
        for (int x = left; x <= right; x++) {
            const unsigned char* p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
            sum.r += p[0];
            sum.g += p[1];
            sum.b += p[2];
            count++;
        }
    }
    return Rgb{sum.r / count, sum.g / count, sum.b / count};
}

namespace {

// Overlay units to fractions of a width x height window, through the display's letter box.
void overlayToWindow(int width, int height, double& x, double& y) {
    Rect box = Display::letterbox(width, height, Rect{0, 0, width, height});
    x = (box.x + x / Display::OVERLAY_WIDTH * box.width) / width;
    y = (box.y + y / Display::OVERLAY_HEIGHT * box.height) / height;
}

}  // namespace

Rgb Screenshot::overlayPixel(double x, double y) const {
    overlayToWindow(width, height, x, y);
    return pixel(x, y);
}

Rgb Screenshot::overlayMean(double x0, double y0, double x1, double y1) const {
    overlayToWindow(width, height, x0, y0);
    overlayToWindow(width, height, x1, y1);
    return mean(x0, y0, x1, y1);
}

bool Screenshot::black(int level) const {
    return std::all_of(rgb.begin(), rgb.end(), [&](unsigned char c) { return c <= level; });
}

std::string screenshotFolder() { return std::string(QUANDRELS_BINARY_DIR) + "/screenshots"; }

std::string Screenshot::save(const std::string& name) {
    if (name.empty()) return file;
    mkdir(screenshotFolder().c_str(), 0777);
    file = screenshotFolder() + "/" + name + ".png";
    if (!empty()) std::ofstream(file, std::ios::binary) << png::encode(width, height, png::RGB, rgb);
    return file;
}

Screenshot readPicture(const std::string& path) {
    Screenshot picture;
    SDL_Surface* surface = IMG_Load(path.c_str());
    if (!surface) return picture;
    picture.width = surface->w;
    picture.height = surface->h;
    const int bytes = surface->format->BytesPerPixel;
    for (int y = 0; y < surface->h; y++) {
        const Uint8* row = static_cast<const Uint8*>(surface->pixels) + y * surface->pitch;
        for (int x = 0; x < surface->w; x++) {
            Uint32 value = 0;
            std::memcpy(&value, row + x * bytes, static_cast<size_t>(bytes));  // little-endian hosts
            Uint8 r, g, b;
            SDL_GetRGB(value, surface->format, &r, &g, &b);
            picture.rgb.insert(picture.rgb.end(), {r, g, b});
        }
    }
    SDL_FreeSurface(surface);
    return picture;
}
