// DrawPass: one step of a display's frame, some layers of one of its scenes drawn with the
// writes that step needs. A display lists its passes in drawing order in a table of its own
// and walks it with drawPasses(), so that its frame reads as its recipe.
#pragma once

#include <cstddef>
#include <cstdint>

class Scene;

// What a pass writes. Depth writes decide what later passes may hide; a pass of blended
// pieces writes none, so that what they cover stays visible behind them.
enum class PassWrites {
    COLOUR,
    COLOUR_AND_DEPTH,
    // Depth only, and only where the picture's alpha is above 0.5: a stencil in the shape
    // of the pictures, which hides what later passes draw behind it.
    DEPTH_OF_SHAPES,
};

// A pass of a display of class D: which of its scenes, which layers, what it writes.
template <class D>
struct DrawPass {
    Scene* D::*scene;
    uint32_t layers;
    PassWrites writes;
};

// Draws `layers` of `scene` with the writes a pass asks for.
void drawPass(Scene* scene, uint32_t layers, PassWrites writes);

// After the last pass: colour and depth writes on, as the next frame's clear needs them.
void endPasses();

template <class D, size_t N>
void drawPasses(D* display, const DrawPass<D> (&passes)[N]) {
    for (const DrawPass<D>& pass : passes) drawPass(display->*pass.scene, pass.layers, pass.writes);
    endPasses();
}
