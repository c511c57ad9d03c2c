// The GL enumerations and settings that callers pass through the engine's own interfaces
// (Mesh, GLBuffer, the registry's textures; the colour key "none" is
// Texture::NO_COLOR_KEY), named once so that no caller writes bare numbers.
#pragma once

// Buffer usage hints (the values of GL_STATIC_DRAW, GL_STREAM_DRAW, GL_DYNAMIC_DRAW).
namespace BufferUsage {
inline constexpr unsigned int STATIC_DRAW = 35044;   // uploaded once, drawn many times
inline constexpr unsigned int STREAM_DRAW = 35040;   // rewritten about every frame
inline constexpr unsigned int DYNAMIC_DRAW = 35048;  // rewritten now and then
}  // namespace BufferUsage

// Texture filtering as the registry and Texture take it.
namespace TextureFiltering {
inline constexpr unsigned char NEAREST = 0;
inline constexpr unsigned char LINEAR = 1;
}  // namespace TextureFiltering
