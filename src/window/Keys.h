// The key symbols and modifier bits that displays test in the window's key record. The
// values are the same in SDL2 and SDL 1.2.
#pragma once

#include <cstdint>

namespace Keys {

inline constexpr int32_t RETURN = 13;
inline constexpr int32_t ESCAPE = 27;

inline constexpr uint16_t MOD_LEFT_ALT = 0x100;
inline constexpr uint16_t MOD_RIGHT_ALT = 0x200;
inline constexpr uint16_t MOD_ALT = MOD_LEFT_ALT | MOD_RIGHT_ALT;  // either Alt key

}  // namespace Keys
