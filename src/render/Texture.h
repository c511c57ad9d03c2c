// Texture: a 2D OpenGL texture decoded from the PNG bytes of a Buffer. Truecolour images are
// uploaded as they are (RGB or RGBA); with a colour key, only the key's pixels stay opaque.
#pragma once

#include "core/Buffer.h"
#include "math/Rect.h"
#include "platform/GL.h"

struct SDL_Surface;

class Texture {
public:
    // The colour key meaning "no key".
    static constexpr unsigned long NO_COLOR_KEY = 0xFF000000UL;

    bool hasAlpha = false;  // uploaded as RGBA (materials blend such textures)
    GLuint id = 0;
    int width = 0;
    int height = 0;
    // The smallest box of texels (in image pixels, x to the right, y down from the top row)
    // outside which every texel has alpha 0: blended, nothing outside it can show. The whole
    // image when there is no alpha; empty (0 x 0) when every texel is clear.
    Rect shownTexels;

    // filtering: TextureFiltering::NEAREST or LINEAR (render/GLConstants.h). colorKey:
    // 0x00BBGGRR, or NO_COLOR_KEY.
    // Throws "Couldn't load image: %s\n" (decoder error) or "Image is not truecolor\n".
    // The texture is left bound.
    Texture(Buffer* image, unsigned char filtering, unsigned long colorKey);
    // The same from a picture that decode() made, which the texture takes over (and frees,
    // also when it throws).
    Texture(SDL_Surface* picture, unsigned char filtering, unsigned long colorKey);

    // The picture in PNG bytes, decoded as the constructor decodes it, or null (the platform
    // error says why, unless there were no bytes). Needs no GL context: safe on any thread.
    static SDL_Surface* decode(const Buffer* image);
    Texture(const Texture&) = delete;
    Texture& operator=(const Texture&) = delete;
    ~Texture();

    void bind();
};
