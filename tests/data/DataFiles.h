// Helpers for the data set tests: where the generated files are, and loading them.
#pragma once

#include <SDL.h>
#include <SDL_image.h>

#include <memory>
#include <string>

namespace datatest {

inline std::string dataPath(const std::string& name) {
    return std::string(QUANDRELS_BINARY_DIR) + "/data/" + name;
}

struct SurfaceDeleter {
    void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
};
using Surface = std::unique_ptr<SDL_Surface, SurfaceDeleter>;

inline Surface loadPicture(const std::string& path) { return Surface(IMG_Load(path.c_str())); }

// Channel c (0 r, 1 g, 2 b, 3 a) of pixel (x, y) in [0, 1]; alpha is 1 for RGB pictures.
inline float channel(const SDL_Surface* s, int x, int y, int c) {
    const Uint8* p = static_cast<const Uint8*>(s->pixels) + y * s->pitch + x * s->format->BytesPerPixel;
    Uint32 value = 0;
    for (int i = 0; i < s->format->BytesPerPixel; ++i) value |= static_cast<Uint32>(p[i]) << (8 * i);
    Uint8 r, g, b, a;
    SDL_GetRGBA(value, s->format, &r, &g, &b, &a);
    const Uint8 v[4] = {r, g, b, a};
    return v[c] / 255.0f;
}

}  // namespace datatest
