// Angle conversions between degrees and radians. Pi is taken in double precision and the
// result rounded once to float, so degToRad(180) is exactly the float nearest pi.
#pragma once

// The one pi of the geometry code; builders that take degrees use it too.
inline constexpr double PI = 3.141592653589793;

inline float degToRad(float degrees) { return static_cast<float>(degrees * 2.0 * PI / 360.0); }
inline float radToDeg(float radians) { return static_cast<float>(radians * 360.0 / (2.0 * PI)); }
