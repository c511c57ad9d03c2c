// Painting tools shared by the pictures: skies, nebulae, stars, glows, silhouettes.
#pragma once

#include <functional>

#include "Image.h"
#include "Noise.h"
#include "Random.h"

namespace datagen {

// f evaluated every `step` pixels and interpolated to the full size (for smooth layers).
Field evaluateCoarse(int width, int height, int step, const std::function<float(float x, float y)>& f);

// Fills every row with the ramp's colour at y / height.
void fillVertical(Image& image, const Gradient& ramp);

// Adds a soft elliptical glow (Gaussian falloff, radii at 1/e) of the given colour.
void addGlow(Image& image, float cx, float cy, float rx, float ry, const Rgba& colour, float strength);

struct NebulaSpec {
    uint32_t seed = 1;
    float cells = 3.0f;      // noise cells across the picture's width
    float warp = 1.2f;       // domain-warp strength, in cells
    float threshold = 0.0f;  // noise below this stays dark
    float strength = 0.5f;
    float contrast = 1.0f;  // exponent on the density: above 1 gives wisps with bright cores
    Gradient colours{{0.0f, rgb(0, 0, 0)}, {1.0f, rgb(1, 1, 1)}};
    std::function<float(float u, float v)> mask;  // optional 0..1 envelope over u, v in [0, 1]
};

// Domain-warped fractal clouds of light, added to the picture.
void addNebula(Image& image, const NebulaSpec& spec);

// One star: a Gaussian core, a faint halo and, for the bright ones, four thin spikes.
void splatStar(Image& image, float x, float y, float intensity, const Rgba& colour, float sigma,
               float spikes);

// Darkens the picture where warped noise is high inside the mask: lanes of dust.
void addDust(Image& image, uint32_t seed, float cells, float strength,
             const std::function<float(float u, float v)>& mask);

// Scatters stars; density(u, v) in [0, 1] thins them out where it is low.
void addStars(Image& image, Random& random, int count, float brightness,
              const std::function<float(float u, float v)>& density);

// A mountain range: the ground below a fractal ridge line, with a lit rim along the ridge.
// base is the mean ridge height in pixels from the top, relief the amplitude.
void addRidge(Image& image, uint32_t seed, float base, float relief, float cells, const Rgba& body,
              const Rgba& rim, float rimWidth, const std::function<float(float u)>& shape = nullptr);

// A card with rounded corners filling the picture: transparent outside the corners, shaded
// inside its edge, with a thin line of frame colour just within the edge. Lengths in pixels.
struct CardStyle {
    float inset = 1.0f;        // gap between the picture's edge and the card's
    float radius = 14.0f;      // corner radius
    float shadeReach = 10.0f;  // how far in from the edge the shade fades
    float lineInset = 2.0f;    // distance of the frame line inside the edge
    float lineWidth = 1.1f;
};
void frameCard(Image& image, const CardStyle& style, const Rgba& frame);

// Darkens towards the corners.
void vignette(Image& image, float strength, float power = 2.0f);

// Multiplies colour (not alpha) by a value noise texture for a grainy, painted feel.
void grain(Image& image, uint32_t seed, float amount, float cells);

// Standard colour for a star of temperature t in [0, 1] (0 red, 0.5 white, 1 blue).
Rgba starColour(float t);

}  // namespace datagen
