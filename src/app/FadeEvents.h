// The fade layer's own timer events, sent up from its timer to the layer. No data.
#pragma once

namespace Events {

inline constexpr const char FADE_PHASE[] = "fadePhase";
inline constexpr const char FADE_TIMEOUT[] = "fadeTimeout";

}  // namespace Events
