// The overlay canvas (Display::OVERLAY_WIDTH x OVERLAY_HEIGHT units, y downwards): its camera,
// and the textured pictures that backdrops, texts and the fade plane are made of.
#pragma once

#include <cstdint>

#include "render/GLConstants.h"

class Camera;
class MeshRenderer;

namespace Overlay {

// The canvas's two layers: the backdrop, drawn before anything else, and the front, drawn
// over the display's other scenes.
inline constexpr uint32_t BACKDROP_LAYER = 1;
inline constexpr uint32_t FRONT_LAYER = 2;

// An orthographic camera over the whole canvas.
Camera* makeCamera();

// Makes `picture` a picture on a unit plane (corners at -1 and +1) translated to (centerX,
// centerY) and scaled by (scaleX, scaleY): it covers 2 * |scaleX| x 2 * |scaleY| units around
// its centre. On the canvas scaleY is negative so that images stand upright. The texture
// comes from the registry with linear filtering and no colour key; the material is the
// simple textured one. `usage` is the plane's buffer usage: BufferUsage::STREAM_DRAW for a
// picture that rewrites its texture coordinates every frame. A plane the picture already had
// is replaced. Returns `picture`.
MeshRenderer* placePicture(MeshRenderer* picture, const char* texture, float centerX, float centerY,
                           float scaleX, float scaleY, unsigned int usage = BufferUsage::STATIC_DRAW);

// A new picture, placed as placePicture says; Picture is MeshRenderer or a class of its own
// derived from it with a default constructor.
template <class Picture = MeshRenderer>
Picture* makePicture(const char* texture, float centerX, float centerY, float scaleX, float scaleY) {
    Picture* picture = new Picture();
    placePicture(picture, texture, centerX, centerY, scaleX, scaleY);
    return picture;
}

// A 1024 x 512 picture centred on the canvas: its sides fall outside the 911-unit width, so
// it fills the letter box whatever the rounding.
MeshRenderer* makeFullPicture(const char* texture);

// A full picture drawn first, into a cleared depth buffer, where it would pass every depth
// test: it is spared the test, which costs a software renderer a third of the frame at full
// screen and changes no pixel.
MeshRenderer* makeBackdrop(const char* texture);

}  // namespace Overlay
