// The stones' materials: each level's stones are of one kind, which gives their picture and
// the colour of their novas.
#pragma once

#include "math/Color.h"

enum class StoneKind { LAVA, WATER, GREEN_LAVA };

struct StoneLook {
    StoneKind kind;
    const char* texture;
    Color novaColour;
};

inline constexpr StoneLook STONE_LOOKS[] = {
    {StoneKind::LAVA, "lava.png", {248 / 255.0f, 235 / 255.0f, 58 / 255.0f, 1}},
    {StoneKind::WATER, "water.png", {6 / 255.0f, 228 / 255.0f, 235 / 255.0f, 1}},
    {StoneKind::GREEN_LAVA, "green_lava.png", {128 / 255.0f, 228 / 255.0f, 185 / 255.0f, 1}},
};
