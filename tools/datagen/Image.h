// Floating-point pictures, colour ramps and scalar fields, and their PNG output.
// Colours are straight (not premultiplied) sRGB values in [0, 1].
#pragma once

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace datagen {

struct Rgba {
    float r = 0.0f, g = 0.0f, b = 0.0f, a = 1.0f;
};

inline Rgba rgb(float r, float g, float b) { return Rgba{r, g, b, 1.0f}; }
// 0xRRGGBB, as colours are usually written down.
Rgba hex(unsigned int rrggbb, float alpha = 1.0f);
Rgba lerp(const Rgba& a, const Rgba& b, float t);
Rgba scale(const Rgba& c, float k);  // colour only; alpha kept

// Piecewise linear colour ramp over [0, 1].
class Gradient {
public:
    Gradient(std::initializer_list<std::pair<float, Rgba>> stops);
    Rgba operator()(float t) const;

private:
    std::vector<std::pair<float, Rgba>> stops;
};

// A grey-scale plane of floats: masks, heights, glows.
struct Field {
    int width = 0;
    int height = 0;
    std::vector<float> values;

    Field() = default;
    Field(int w, int h, float fill = 0.0f) : width(w), height(h), values(static_cast<size_t>(w) * h, fill) {}
    float& at(int x, int y) { return values[static_cast<size_t>(y) * width + x]; }
    float at(int x, int y) const { return values[static_cast<size_t>(y) * width + x]; }
    // Bilinear lookup in pixel coordinates, clamped at the edges.
    float sample(float x, float y) const;
};

// Gaussian-like blur by three box passes; wrap joins opposite edges (for tiling pictures).
void blur(Field& field, float radius, bool wrapX = false, bool wrapY = false);

class Image {
public:
    Image(int w, int h, Rgba fill = Rgba{0.0f, 0.0f, 0.0f, 1.0f});

    int width;
    int height;

    Rgba& at(int x, int y) { return pixels[static_cast<size_t>(y) * width + x]; }
    const Rgba& at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }

    // Bilinear lookup at pixel coordinates (pixel centres at +0.5); wrap or clamp per axis.
    Rgba sample(float x, float y, bool wrapX, bool wrapY) const;
    // The same with u, v in [0, 1] across the picture.
    Rgba sampleUv(float u, float v, bool wrap) const { return sample(u * width, v * height, wrap, wrap); }

    // Area-averaging resize (for previews; downscaling is the intended use).
    Image resized(int w, int h) const;

    // Adds light: colour times strength, alpha untouched.
    void add(int x, int y, const Rgba& colour, float strength);
    // Straight-alpha "over" of colour with the given opacity.
    void over(int x, int y, const Rgba& colour, float opacity);
    // Draws src with its top left corner at (left, top), blending by src alpha times opacity.
    void draw(const Image& src, int left, int top, float opacity = 1.0f);

    std::vector<Rgba> pixels;
};

// Writes an 8-bit PNG through SDL_image: RGBA when withAlpha, else RGB.
bool savePng(const Image& image, const std::string& path, bool withAlpha);

}  // namespace datagen
