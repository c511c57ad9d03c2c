// The layers of the runes display's scenes, named by what they hold.
#pragma once

#include <cstdint>

#include "app/Overlay.h"

namespace RunesLayers {

// The overlay holds only the backdrop.
inline constexpr uint32_t BACKDROP = Overlay::BACKDROP_LAYER;
// The rune scene.
inline constexpr uint32_t SYMBOLS = 1;  // the runes' symbols, the bar's buttons, the answer marks
inline constexpr uint32_t POINTS = 2;   // the points under the runes
inline constexpr uint32_t MASKS = 4;    // the symbols' shapes, written to depth only
inline constexpr uint32_t BORDERS = 8;  // the runes' borders, hidden where a mask stands before them

}  // namespace RunesLayers
