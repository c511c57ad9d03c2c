// Carousel: how the gallery's carousel turns, apart from anything drawn. It keeps the turn
// and the spin, takes the drag samples that set the spin, and places each icon at a phase
// of the path, from which follow its opacity and whether it stands in front. The gallery
// is a carousel; the rules are here so that they can be checked without a window.
#pragma once

#include "math/Vector2.h"

struct Carousel {
    static constexpr int DRAG_SAMPLES = 5;
    static constexpr float START_SPIN_SPEED = 0.1f;
    // The spin keeps this share of itself each frame while the button is up.
    static constexpr float SPIN_DECAY = 0.9f;

    float rotation = 0;                    // the turn, in whole turns
    float spinSpeed = START_SPIN_SPEED;    // turns per second divided by 100
    float dragSamples[DRAG_SAMPLES] = {};  // the last five drag samples
    int dragSampleIndex = 0;               // the slot for the next sample

    // One frame of deltaTime seconds: turns by the spin, which then decays unless the
    // button is held. The decay is per frame, not per second.
    void turn(float deltaTime, bool buttonHeld);

    // A pointer motion while the button is held, in fractions of the window (y downwards):
    // dragging to the right or upwards spins forwards. The spin becomes the mean of the last
    // five samples.
    void drag(Vector2 delta);

    // Where the icon at child index `index` of `count` icons stands on the path: index / count
    // plus the turn, brought into [0, 1).
    float phaseOf(int index, int count) const;

    // `phase` brought into [0, 1) by whole turns.
    static float wrapPhase(float phase);

    // Opacity at a phase: clear at both ends of the path, opaque in its middle.
    static float opacity(float phase);

    // Whether an icon at `phase` of `count` icons stands in front: strictly within half an
    // icon's spacing of the middle.
    static bool inFront(float phase, int count);
};
