// Text rendered with SDL_ttf into coverage fields, at generation time only.
#pragma once

#include <string>

#include "Image.h"

namespace datagen {

class TextRenderer {
public:
    // fontDir holds the DejaVu TrueType files.
    explicit TextRenderer(std::string fontDir);
    ~TextRenderer();
    TextRenderer(const TextRenderer&) = delete;
    TextRenderer& operator=(const TextRenderer&) = delete;

    bool ready() const { return initialised; }

    // Coverage of the text (1 inside the glyphs), tightly as wide as the text and as tall as
    // the font's line. An empty field when the font cannot be opened.
    Field render(const std::string& fontFile, int pixelSize, const std::string& text) const;

    // The largest size up to maxSize whose rendering is at most maxWidth pixels wide.
    Field renderFitting(const std::string& fontFile, int maxSize, int maxWidth,
                        const std::string& text) const;

    std::string lastError() const { return error; }

private:
    std::string fontDir;
    bool initialised = false;
    mutable std::string error;
};

}  // namespace datagen
