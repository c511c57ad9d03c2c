// Pictures, ramps, fields, and their conversion to 8-bit PNG files.
#include "Image.h"

#include <SDL.h>
#include <SDL_image.h>

#include <algorithm>
#include <cmath>

#include "Noise.h"

namespace datagen {

Rgba hex(unsigned int rrggbb, float alpha) {
    return Rgba{((rrggbb >> 16) & 255u) / 255.0f, ((rrggbb >> 8) & 255u) / 255.0f, (rrggbb & 255u) / 255.0f,
                alpha};
}

Rgba lerp(const Rgba& a, const Rgba& b, float t) {
    return Rgba{mix(a.r, b.r, t), mix(a.g, b.g, t), mix(a.b, b.b, t), mix(a.a, b.a, t)};
}

Rgba scale(const Rgba& c, float k) { return Rgba{c.r * k, c.g * k, c.b * k, c.a}; }

Gradient::Gradient(std::initializer_list<std::pair<float, Rgba>> list) : stops(list) {}

Rgba Gradient::operator()(float t) const {
    if (t <= stops.front().first) return stops.front().second;
    for (size_t i = 1; i < stops.size(); ++i) {
        if (t <= stops[i].first) {
            float span = stops[i].first - stops[i - 1].first;
            float k = span > 0.0f ? (t - stops[i - 1].first) / span : 1.0f;
            return lerp(stops[i - 1].second, stops[i].second, k);
        }
    }
    return stops.back().second;
}

float Field::sample(float x, float y) const {
    x = std::min(std::max(x - 0.5f, 0.0f), static_cast<float>(width - 1));
    y = std::min(std::max(y - 0.5f, 0.0f), static_cast<float>(height - 1));
    int x0 = static_cast<int>(x);
    int y0 = static_cast<int>(y);
    int x1 = std::min(x0 + 1, width - 1);
    int y1 = std::min(y0 + 1, height - 1);
    float tx = x - x0;
    float ty = y - y0;
    return mix(mix(at(x0, y0), at(x1, y0), tx), mix(at(x0, y1), at(x1, y1), tx), ty);
}

namespace {

// One running-sum box pass along rows (stride 1) or columns (stride width).
void boxPass(std::vector<float>& v, int count, int length, int stride, int lineStride, int radius,
             bool wrap) {
    std::vector<float> line(static_cast<size_t>(length));
    float norm = 1.0f / static_cast<float>(2 * radius + 1);
    for (int l = 0; l < count; ++l) {
        float* base = v.data() + static_cast<size_t>(l) * lineStride;
        for (int i = 0; i < length; ++i) line[static_cast<size_t>(i)] = base[static_cast<size_t>(i) * stride];
        auto get = [&](int i) {
            if (wrap) {
                i %= length;
                if (i < 0) i += length;
            } else {
                i = std::min(std::max(i, 0), length - 1);
            }
            return line[static_cast<size_t>(i)];
        };
        float sum = 0.0f;
        for (int i = -radius; i <= radius; ++i) sum += get(i);
        for (int i = 0; i < length; ++i) {
            base[static_cast<size_t>(i) * stride] = sum * norm;
            sum += get(i + radius + 1) - get(i - radius);
        }
    }
}

}  // namespace

void blur(Field& field, float radius, bool wrapX, bool wrapY) {
    // Three box passes of width w approximate a Gaussian of sigma sqrt(w^2 - 1) / 2.
    int r = std::max(1, static_cast<int>(std::lround(radius / 1.7f)));
    for (int pass = 0; pass < 3; ++pass) {
        boxPass(field.values, field.height, field.width, 1, field.width, r, wrapX);
        boxPass(field.values, field.width, field.height, field.width, 1, r, wrapY);
    }
}

Image::Image(int w, int h, Rgba fill) : width(w), height(h), pixels(static_cast<size_t>(w) * h, fill) {}

Rgba Image::sample(float x, float y, bool wrapX, bool wrapY) const {
    x -= 0.5f;
    y -= 0.5f;
    float fx = std::floor(x);
    float fy = std::floor(y);
    int x0 = static_cast<int>(fx);
    int y0 = static_cast<int>(fy);
    float tx = x - fx;
    float ty = y - fy;
    auto index = [](int i, int n, bool wrap) {
        if (wrap) {
            i %= n;
            return i < 0 ? i + n : i;
        }
        return std::min(std::max(i, 0), n - 1);
    };
    int xa = index(x0, width, wrapX), xb = index(x0 + 1, width, wrapX);
    int ya = index(y0, height, wrapY), yb = index(y0 + 1, height, wrapY);
    Rgba top = lerp(at(xa, ya), at(xb, ya), tx);
    Rgba bottom = lerp(at(xa, yb), at(xb, yb), tx);
    return lerp(top, bottom, ty);
}

Image Image::resized(int w, int h) const {
    Image out(w, h);
    float sx = static_cast<float>(width) / w;
    float sy = static_cast<float>(height) / h;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            // Average the source area, weighting colour by alpha so transparent pixels do not darken.
            int x0 = static_cast<int>(x * sx), x1 = std::max(x0 + 1, static_cast<int>((x + 1) * sx));
            int y0 = static_cast<int>(y * sy), y1 = std::max(y0 + 1, static_cast<int>((y + 1) * sy));
            Rgba sum{0, 0, 0, 0};
            float colourWeight = 0.0f;
            int n = 0;
            for (int yy = y0; yy < std::min(y1, height); ++yy) {
                for (int xx = x0; xx < std::min(x1, width); ++xx) {
                    const Rgba& p = at(xx, yy);
                    float wgt = p.a + 1e-4f;
                    sum.r += p.r * wgt;
                    sum.g += p.g * wgt;
                    sum.b += p.b * wgt;
                    sum.a += p.a;
                    colourWeight += wgt;
                    ++n;
                }
            }
            out.at(x, y) = Rgba{sum.r / colourWeight, sum.g / colourWeight, sum.b / colourWeight, sum.a / n};
        }
    }
    return out;
}

void Image::add(int x, int y, const Rgba& colour, float strength) {
    if (x < 0 || y < 0 || x >= width || y >= height) return;
    Rgba& p = at(x, y);
    p.r += colour.r * strength;
    p.g += colour.g * strength;
    p.b += colour.b * strength;
}

void Image::over(int x, int y, const Rgba& colour, float opacity) {
    if (x < 0 || y < 0 || x >= width || y >= height) return;
    Rgba& p = at(x, y);
    float sa = clamp01(colour.a * opacity);
    float outA = sa + p.a * (1.0f - sa);
    if (outA <= 1e-6f) {
        // Fully transparent result: keep the colour so that filtering does not bleed black.
        p = Rgba{colour.r, colour.g, colour.b, 0.0f};
        return;
    }
    float keep = p.a * (1.0f - sa);
    p.r = (colour.r * sa + p.r * keep) / outA;
    p.g = (colour.g * sa + p.g * keep) / outA;
    p.b = (colour.b * sa + p.b * keep) / outA;
    p.a = outA;
}

void Image::draw(const Image& src, int left, int top, float opacity) {
    for (int y = 0; y < src.height; ++y) {
        for (int x = 0; x < src.width; ++x) over(left + x, top + y, src.at(x, y), opacity);
    }
}

bool savePng(const Image& image, const std::string& path, bool withAlpha) {
    Uint32 format = withAlpha ? SDL_PIXELFORMAT_RGBA32 : SDL_PIXELFORMAT_RGB24;
    SDL_Surface* surface =
        SDL_CreateRGBSurfaceWithFormat(0, image.width, image.height, withAlpha ? 32 : 24, format);
    if (!surface) return false;
    int channels = withAlpha ? 4 : 3;
    auto quantise = [](float v) { return static_cast<Uint8>(std::floor(clamp01(v) * 255.0f + 0.5f)); };
    for (int y = 0; y < image.height; ++y) {
        Uint8* row = static_cast<Uint8*>(surface->pixels) + static_cast<size_t>(y) * surface->pitch;
        for (int x = 0; x < image.width; ++x) {
            const Rgba& p = image.at(x, y);
            Uint8* out = row + static_cast<size_t>(x) * channels;
            out[0] = quantise(p.r);
            out[1] = quantise(p.g);
            out[2] = quantise(p.b);
            if (withAlpha) out[3] = quantise(p.a);
        }
    }
    bool ok = IMG_SavePNG(surface, path.c_str()) == 0;
    SDL_FreeSurface(surface);
    return ok;
}

}  // namespace datagen
