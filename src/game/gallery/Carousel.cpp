// Carousel: the turn, the drag and the phase rules.
#include "game/gallery/Carousel.h"

#include <cmath>

namespace {

// A drag along the diagonal from bottom left to top right spins the most.
constexpr float DRAG_WEIGHT = 0.7071f;
// spinSpeed is kept in hundredths of turns per second.
constexpr float SPIN_SCALE = 100.0f;

}  // namespace

void Carousel::turn(float deltaTime, bool buttonHeld) {
    rotation += spinSpeed * SPIN_SCALE * deltaTime;
    if (!buttonHeld) spinSpeed *= SPIN_DECAY;
}

void Carousel::drag(Vector2 delta) {
    dragSamples[dragSampleIndex] = DRAG_WEIGHT * delta.x - DRAG_WEIGHT * delta.y;
    dragSampleIndex = (dragSampleIndex + 1) % DRAG_SAMPLES;
    float sum = 0;
    for (float sample : dragSamples) sum += sample;
    spinSpeed = sum / DRAG_SAMPLES;
}

float Carousel::phaseOf(int index, int count) const {
    return wrapPhase(static_cast<float>(index) / static_cast<float>(count) + rotation);
}

float Carousel::wrapPhase(float phase) {
    // Taking the whole turns off at once gives what adding or subtracting one turn at a time
    // would (each of those steps is exact in float), but in bounded time: a carousel held
    // spinning for hours has turned many thousand times.
    if (!std::isfinite(phase)) return 0;
    float wrapped = phase - std::floor(phase);
    // A tiny negative phase rounds up to a whole turn.
    if (wrapped >= 1) wrapped -= 1;
    return wrapped;
}

float Carousel::opacity(float phase) { return phase < 0.5f ? 2 * phase : 2 - 2 * phase; }

bool Carousel::inFront(float phase, int count) {
    const float half = 0.5f / static_cast<float>(count);
    return phase > 0.5f - half && phase < 0.5f + half;
}
