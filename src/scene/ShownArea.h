// Where a blended textured plane can change the picture: texels of alpha 0 add nothing to a
// blended draw, so pixels that sample only such texels may be left out (a scissor box).
#pragma once

#include "core/List.h"
#include "math/Matrix4x4.h"
#include "math/Rect.h"
#include "math/Vector2.h"
#include "math/Vector3.h"

namespace ShownArea {

// The window rectangle (GL window pixels, origin bottom left, as glScissor takes it) outside
// which the plane cannot change a pixel: the box of texels with alpha above 0 (in image
// pixels, y down from the top row) widened by the reach of linear filtering plus a texel and a
// pixel, carried through `modelViewProjection` into `viewport`. An axis where the box touches
// an image edge is taken whole, since repeat wrapping reaches across it; an empty box gives an
// empty rectangle. False (no rectangle) unless the mesh is a plane of four corners whose
// texture coordinates are exactly 0 and 1, or when a corner lies behind the eye.
bool windowRect(const List<Vector3>& positions, const List<Vector2>& texcoords, int textureWidth,
                int textureHeight, Rect shownTexels, const Matrix4x4& modelViewProjection,
                const Rect& viewport, Rect* out);

}  // namespace ShownArea
