// SDL_ttf text to coverage: the blended renderer's alpha channel is the glyph coverage.
#include "Text.h"

#include <SDL.h>
#include <SDL_ttf.h>

namespace datagen {

TextRenderer::TextRenderer(std::string dir) : fontDir(std::move(dir)) {
    initialised = TTF_Init() == 0;
    if (!initialised) error = TTF_GetError();
}

TextRenderer::~TextRenderer() {
    if (initialised) TTF_Quit();
}

Field TextRenderer::render(const std::string& fontFile, int pixelSize, const std::string& text) const {
    if (!initialised) return Field();
    std::string path = fontDir + "/" + fontFile;
    TTF_Font* font = TTF_OpenFont(path.c_str(), pixelSize);
    if (!font) {
        error = std::string("cannot open font ") + path + ": " + TTF_GetError();
        return Field();
    }
    TTF_SetFontHinting(font, TTF_HINTING_LIGHT);
    SDL_Surface* rendered = TTF_RenderUTF8_Blended(font, text.c_str(), SDL_Color{255, 255, 255, 255});
    TTF_CloseFont(font);
    if (!rendered) {
        error = TTF_GetError();
        return Field();
    }
    SDL_Surface* surface = SDL_ConvertSurfaceFormat(rendered, SDL_PIXELFORMAT_RGBA32, 0);
    SDL_FreeSurface(rendered);
    if (!surface) {
        error = SDL_GetError();
        return Field();
    }
    Field out(surface->w, surface->h);
    for (int y = 0; y < surface->h; ++y) {
        const Uint8* row =
            static_cast<const Uint8*>(surface->pixels) + static_cast<size_t>(y) * surface->pitch;
        for (int x = 0; x < surface->w; ++x) out.at(x, y) = row[x * 4 + 3] / 255.0f;
    }
    SDL_FreeSurface(surface);
    return out;
}

Field TextRenderer::renderFitting(const std::string& fontFile, int maxSize, int maxWidth,
                                  const std::string& text) const {
    for (int size = maxSize; size > 6; --size) {
        Field f = render(fontFile, size, text);
        if (f.width == 0) return f;
        if (f.width <= maxWidth) return f;
    }
    return render(fontFile, 6, text);
}

}  // namespace datagen
