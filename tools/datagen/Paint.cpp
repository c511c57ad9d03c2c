// Painting tools: everything additive works in display values and clamps only when saved.
#include "Paint.h"

#include <algorithm>
#include <cmath>

#include "Shapes.h"

namespace datagen {

void fillVertical(Image& image, const Gradient& ramp) {
    for (int y = 0; y < image.height; ++y) {
        Rgba c = ramp((y + 0.5f) / image.height);
        for (int x = 0; x < image.width; ++x) image.at(x, y) = c;
    }
}

void addGlow(Image& image, float cx, float cy, float rx, float ry, const Rgba& colour, float strength) {
    int x0 = std::max(0, static_cast<int>(cx - rx * 3.2f)),
        x1 = std::min(image.width - 1, static_cast<int>(cx + rx * 3.2f));
    int y0 = std::max(0, static_cast<int>(cy - ry * 3.2f)),
        y1 = std::min(image.height - 1, static_cast<int>(cy + ry * 3.2f));
    for (int y = y0; y <= y1; ++y) {
        float dy = (y + 0.5f - cy) / ry;
        for (int x = x0; x <= x1; ++x) {
            float dx = (x + 0.5f - cx) / rx;
            float g = std::exp(-(dx * dx + dy * dy));
            image.add(x, y, colour, strength * g);
        }
    }
}

// Evaluates f (at pixel coordinates) every `step` pixels and fills the full-size field by
// bilinear interpolation: for smooth, low-frequency layers this is indistinguishable and
// several times cheaper.
Field evaluateCoarse(int width, int height, int step, const std::function<float(float x, float y)>& f) {
    int gw = width / step + 2, gh = height / step + 2;
    Field grid(gw, gh);
    for (int j = 0; j < gh; ++j) {
        for (int i = 0; i < gw; ++i)
            grid.at(i, j) = f(static_cast<float>(i * step), static_cast<float>(j * step));
    }
    Field out(width, height);
    float inv = 1.0f / step;
    for (int y = 0; y < height; ++y) {
        float gy = y * inv;
        int j = static_cast<int>(gy);
        float ty = gy - j;
        for (int x = 0; x < width; ++x) {
            float gx = x * inv;
            int i = static_cast<int>(gx);
            float tx = gx - i;
            float top = mix(grid.at(i, j), grid.at(i + 1, j), tx);
            float bottom = mix(grid.at(i, j + 1), grid.at(i + 1, j + 1), tx);
            out.at(x, y) = mix(top, bottom, ty);
        }
    }
    return out;
}

void addNebula(Image& image, const NebulaSpec& spec) {
    FractalSpec base;
    base.seed = spec.seed;
    base.octaves = 5;
    FractalSpec warpX = base, warpY = base;
    warpX.seed = spec.seed + 101u;
    warpX.octaves = 3;
    warpY.seed = spec.seed + 202u;
    warpY.octaves = 3;
    float k = spec.cells / image.width;
    Field density = evaluateCoarse(image.width, image.height, 2, [&](float x, float y) {
        float px = x * k, py = y * k;
        float qx = fbm(px, py, warpX), qy = fbm(px + 5.2f, py + 1.3f, warpY);
        return fbm(px + spec.warp * qx, py + spec.warp * qy, base);
    });
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            float u = (x + 0.5f) / image.width, v = (y + 0.5f) / image.height;
            float m = spec.mask ? spec.mask(u, v) : 1.0f;
            if (m <= 0.001f) continue;
            float t = clamp01((density.at(x, y) - spec.threshold) / (1.0f - spec.threshold));
            if (t <= 0.0f) continue;
            t = std::pow(t, spec.contrast);
            Rgba c = spec.colours(t);
            image.add(x, y, c, spec.strength * m * t);
        }
    }
}

void addDust(Image& image, uint32_t seed, float cells, float strength,
             const std::function<float(float u, float v)>& mask) {
    FractalSpec spec;
    spec.seed = seed;
    spec.octaves = 5;
    FractalSpec warp = spec;
    warp.seed = seed + 5u;
    warp.octaves = 3;
    float k = cells / image.width;
    Field density = evaluateCoarse(image.width, image.height, 2, [&](float x, float y) {
        float px = x * k, py = y * k;
        float q = fbm(px, py, warp);
        return fbm(px + 1.5f * q, py + 0.8f * q, spec);
    });
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            float m = mask((x + 0.5f) / image.width, (y + 0.5f) / image.height);
            if (m <= 0.001f) continue;
            float dark = 1.0f - strength * m * smoothstep(-0.1f, 0.5f, density.at(x, y));
            Rgba& p = image.at(x, y);
            p.r *= dark;
            p.g *= dark;
            p.b *= dark;
        }
    }
}

void splatStar(Image& image, float x, float y, float intensity, const Rgba& colour, float sigma,
               float spikes) {
    int reach = static_cast<int>(std::ceil(std::max(sigma * 4.0f, spikes)));
    int cx = static_cast<int>(x), cy = static_cast<int>(y);
    float halo = sigma * 3.0f;
    for (int py = cy - reach; py <= cy + reach; ++py) {
        for (int px = cx - reach; px <= cx + reach; ++px) {
            float dx = px + 0.5f - x, dy = py + 0.5f - y;
            float d2 = dx * dx + dy * dy;
            float v = std::exp(-d2 / (2.0f * sigma * sigma)) + 0.06f * std::exp(-d2 / (2.0f * halo * halo));
            if (spikes > 0.0f) {
                float along = std::exp(-std::fabs(dx) / (spikes * 0.3f)) * std::exp(-dy * dy / 0.5f) +
                              std::exp(-std::fabs(dy) / (spikes * 0.3f)) * std::exp(-dx * dx / 0.5f);
                v += 0.35f * along;
            }
            image.add(px, py, colour, intensity * v);
        }
    }
}

Rgba starColour(float t) {
    static const Gradient ramp{{0.0f, rgb(1.0f, 0.62f, 0.45f)},
                               {0.35f, rgb(1.0f, 0.9f, 0.75f)},
                               {0.55f, rgb(1.0f, 1.0f, 1.0f)},
                               {1.0f, rgb(0.7f, 0.82f, 1.0f)}};
    return ramp(t);
}

void addStars(Image& image, Random& random, int count, float brightness,
              const std::function<float(float u, float v)>& density) {
    int placed = 0;
    int attempts = 0;
    while (placed < count && attempts < count * 20) {
        ++attempts;
        float u = static_cast<float>(random.uniform());
        float v = static_cast<float>(random.uniform());
        float keep = density ? density(u, v) : 1.0f;
        float pick = static_cast<float>(random.uniform());
        float magnitude = static_cast<float>(random.uniform());
        float temperature = static_cast<float>(random.uniform());
        if (pick > keep) continue;
        ++placed;
        // Many faint stars, few bright ones.
        float intensity = brightness * (0.08f + 0.9f * std::pow(magnitude, 7.0f));
        float sigma = 0.45f + 0.5f * std::pow(magnitude, 4.0f);
        float spikes = magnitude > 0.985f ? 10.0f + 14.0f * (magnitude - 0.985f) / 0.015f : 0.0f;
        splatStar(image, u * image.width, v * image.height, intensity, starColour(temperature), sigma,
                  spikes);
    }
}

void addRidge(Image& image, uint32_t seed, float base, float relief, float cells, const Rgba& body,
              const Rgba& rim, float rimWidth, const std::function<float(float u)>& shape) {
    FractalSpec spec;
    spec.seed = seed;
    spec.octaves = 6;
    spec.gain = 0.52f;
    for (int x = 0; x < image.width; ++x) {
        float u = (x + 0.5f) / image.width;
        float ridge = ridged(u * cells, 0.37f * seed, spec) * 1.4f - 0.4f;
        float lift = shape ? shape(u) : 1.0f;
        float top = base - relief * ridge * lift;
        for (int y = std::max(0, static_cast<int>(top) - 2); y < image.height; ++y) {
            float inside = clamp01(y + 0.5f - top + 0.5f);  // anti-aliased ridge line
            if (inside <= 0.0f) continue;
            float depth = y + 0.5f - top;
            Rgba& p = image.at(x, y);
            float rimLight = std::exp(-depth / rimWidth);
            Rgba c{body.r + rim.r * rimLight, body.g + rim.g * rimLight, body.b + rim.b * rimLight, 1.0f};
            p = lerp(p, Rgba{c.r, c.g, c.b, p.a}, inside);
        }
    }
}

void frameCard(Image& image, const CardStyle& style, const Rgba& frame) {
    Vec2 centre{image.width / 2.0f, image.height / 2.0f};
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            Vec2 p{x + 0.5f, y + 0.5f};
            float d = signedDistanceToRoundBox(p, centre, centre.x - style.inset, centre.y - style.inset,
                                               style.radius);
            Rgba& px = image.at(x, y);
            float inner = std::exp(-std::max(0.0f, -d) / style.shadeReach);
            px = scale(px, 1.0f - 0.35f * inner);
            float line = std::exp(-std::pow((d + style.lineInset) / style.lineWidth, 2.0f));
            px.r += frame.r * line;
            px.g += frame.g * line;
            px.b += frame.b * line;
            px.a = coverage(d);
        }
    }
}

void vignette(Image& image, float strength, float power) {
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            float dx = (x + 0.5f) / image.width * 2.0f - 1.0f;
            float dy = (y + 0.5f) / image.height * 2.0f - 1.0f;
            float d = std::pow(std::sqrt(dx * dx * 0.8f + dy * dy) / 1.34f, power);
            float k = 1.0f - strength * d;
            Rgba& p = image.at(x, y);
            p.r *= k;
            p.g *= k;
            p.b *= k;
        }
    }
}

void grain(Image& image, uint32_t seed, float amount, float cells) {
    FractalSpec spec;
    spec.seed = seed;
    spec.octaves = 4;
    spec.gradient = false;
    float k = cells / image.width;
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            float n = fbm(x * k, y * k, spec);
            float f = 1.0f + amount * n;
            Rgba& p = image.at(x, y);
            p.r *= f;
            p.g *= f;
            p.b *= f;
        }
    }
}

}  // namespace datagen
