// TexturedPlane: a renderer drawn as the unit plane (corners at -1 and +1 in x and y) with a
// picture from the registry, linearly filtered and without a colour key. Pictures, buttons,
// marks and rune tiles are made of it; their matrix, colour and layer stay their own.
#pragma once

#include "render/GLConstants.h"
#include "resources/Resources.h"

class MeshRenderer;

namespace TexturedPlane {

// The registry's entry for a picture, as every textured plane takes it.
TextureResource* picture(const char* name);

// Gives `renderer` a new plane built with the buffer `usage` (BufferUsage::STREAM_DRAW for
// a plane that rewrites its texture coordinates every frame), the picture and the material.
// A plane it already had is replaced. Returns `renderer`.
MeshRenderer* dress(MeshRenderer* renderer, TextureResource* picture,
                    MaterialResource* material = Resources::SIMPLE_TEXTURED_MATERIAL,
                    unsigned int usage = BufferUsage::STATIC_DRAW);
MeshRenderer* dress(MeshRenderer* renderer, const char* picture,
                    MaterialResource* material = Resources::SIMPLE_TEXTURED_MATERIAL,
                    unsigned int usage = BufferUsage::STATIC_DRAW);

// A new renderer dressed as above, at the origin, in the first layer.
MeshRenderer* make(TextureResource* picture,
                   MaterialResource* material = Resources::SIMPLE_TEXTURED_MATERIAL);

}  // namespace TexturedPlane
