// Texture: a 2D OpenGL texture decoded from the PNG bytes of a Buffer. Truecolour images are
// uploaded as they are (RGB or RGBA); with a colour key, only the key's pixels stay opaque.
#pragma once

#include "core/Buffer.h"
#include "math/Rect.h"
#include "platform/GL.h"

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
    Texture(const Texture&) = delete;
    Texture& operator=(const Texture&) = delete;
    ~Texture();

    void bind();
};
