// The light record: how a scene hands its lights to the materials. A scene keeps a table of
// MAX_LIGHTS records of FLOATS floats each and a count; a material receives both for every
// draw. Field offsets within one record:
//
//   0..3   position x, y, z, w (w = 0: a direction towards the light; else the point xyz / w)
//   4..6   diffuse colour r, g, b
//   7..9   specular colour r, g, b
//   10     constant attenuation
//   11     linear attenuation
//   12     quadratic attenuation
//   13     spot cutoff (degrees; 180 = no spot)
//   14     spot exponent
//   15..17 spot direction x, y, z
//
// Position and direction are in world space. The shader build uploads the table as one float
// array (uniform "lights"); the fixed-function build turns at most eight records into GL lights.
#pragma once

namespace LightRecord {

inline constexpr int FLOATS = 18;
inline constexpr int MAX_LIGHTS = 10;

inline constexpr int POSITION = 0;
inline constexpr int DIFFUSE = 4;
inline constexpr int SPECULAR = 7;
inline constexpr int CONSTANT_ATTENUATION = 10;
inline constexpr int LINEAR_ATTENUATION = 11;
inline constexpr int QUADRATIC_ATTENUATION = 12;
inline constexpr int SPOT_CUTOFF = 13;
inline constexpr int SPOT_EXPONENT = 14;
inline constexpr int SPOT_DIRECTION = 15;

}  // namespace LightRecord
