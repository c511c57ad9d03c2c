// The layers of the lava-stones display's two scenes, named by where its passes draw them.
#pragma once

#include <cstdint>

#include "app/Overlay.h"

namespace LavaLayers {

// The scenery: the backdrop and its stars behind everything; clouds, the click row and the
// win's flash over the stones.
inline constexpr uint32_t BEHIND_STONES = Overlay::BACKDROP_LAYER;
inline constexpr uint32_t OVER_STONES = Overlay::FRONT_LAYER;
// The stones' scene: the stones and the lava floor, writing depth; the novas blended over them.
inline constexpr uint32_t STONES = 1;
inline constexpr uint32_t NOVAS = 2;

}  // namespace LavaLayers
