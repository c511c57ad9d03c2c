// Texture: PNG decoding through SDL_image (same function names in both SDL generations) and
// upload as a 2D texture.
#include "render/Texture.h"

#include <SDL.h>
#include <SDL_image.h>

#include <cstdio>
#include <cstdlib>

#include "core/Fail.h"
#include "render/GLObjectCount.h"

namespace {

// The box around every texel whose alpha (the 4th byte of each RGBA pixel) is not 0.
Rect shownBox(const unsigned char* pixels, int width, int height, int rowBytes) {
    int left = width, top = height, right = -1, bottom = -1;
    for (int y = 0; y < height; y++) {
        const unsigned char* row = pixels + static_cast<size_t>(y) * static_cast<size_t>(rowBytes);
        for (int x = 0; x < width; x++) {
            if (row[4 * x + 3] == 0) continue;
            if (x < left) left = x;
            if (x > right) right = x;
            if (y < top) top = y;
            bottom = y;
        }
    }
    if (right < 0) return Rect{};
    return Rect{left, top, right - left + 1, bottom - top + 1};
}

}  // namespace

Texture::Texture(Buffer* image, unsigned char filtering, unsigned long colorKey) {
    // An empty or missing buffer gives no stream; the decoder must not see a null stream.
    SDL_RWops* stream = nullptr;
    if (image && image->data && image->size > 0) stream = SDL_RWFromMem(image->data, image->size);
    SDL_Surface* surface = stream ? IMG_LoadPNG_RW(stream) : nullptr;
    if (stream) SDL_FreeRW(stream);
    if (!surface) {
        fail("Couldn't load image: %s\n", stream ? SDL_GetError() : "no image data");
    }

    int bytesPerPixel = surface->format->BytesPerPixel;
    if (bytesPerPixel != 3 && bytesPerPixel != 4) {
        // With or without a key: a palette or grey image has no R, G, B bytes to read.
        SDL_FreeSurface(surface);
        throw "Image is not truecolor\n";
    }

    GLenum format;
    const void* pixels = surface->pixels;
    unsigned char* converted = nullptr;
    if (colorKey == NO_COLOR_KEY) {
        format = bytesPerPixel == 4 ? GL_RGBA : GL_RGB;
        hasAlpha = bytesPerPixel == 4;
    } else {
        // Only the key colour stays opaque. Rows are read at the surface's own pitch and
        // pixel size, so a 32-bit image with a key is read as what it is.
        int width = surface->w;
        int height = surface->h;
        converted = static_cast<unsigned char*>(malloc(static_cast<size_t>(width) * height * 4));
        if (!converted) {
            SDL_FreeSurface(surface);
            fail("Couldn't load image: %s\n", "out of memory");
        }
        const unsigned char* source = static_cast<const unsigned char*>(surface->pixels);
        unsigned char* out = converted;
        for (int row = 0; row < height; row++) {
            const unsigned char* p = source + static_cast<size_t>(row) * surface->pitch;
            for (int column = 0; column < width; column++, p += bytesPerPixel) {
                unsigned long rgb = p[0] + (p[1] << 8) + (static_cast<unsigned long>(p[2]) << 16);
                *out++ = p[0];
                *out++ = p[1];
                *out++ = p[2];
                *out++ = rgb == colorKey ? 255 : 0;
            }
        }
        pixels = converted;
        format = GL_RGBA;
        hasAlpha = true;
    }

    width = surface->w;
    height = surface->h;
    const int rowBytes = converted ? width * 4 : surface->pitch;
    shownTexels = hasAlpha ? shownBox(static_cast<const unsigned char*>(pixels), width, height, rowBytes)
                           : Rect{0, 0, width, height};

    glGenTextures(1, &id);
    GLObjectCount::textures++;
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, id);
    GLint filter = filtering == 0 ? GL_NEAREST : GL_LINEAR;
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
    glTexImage2D(GL_TEXTURE_2D, 0, static_cast<GLint>(format), surface->w, surface->h, 0, format,
                 GL_UNSIGNED_BYTE, pixels);
    glDisable(GL_TEXTURE_2D);
    free(converted);
    SDL_FreeSurface(surface);
}

Texture::~Texture() {
    glDeleteTextures(1, &id);
    GLObjectCount::textures--;
}

void Texture::bind() { glBindTexture(GL_TEXTURE_2D, id); }
