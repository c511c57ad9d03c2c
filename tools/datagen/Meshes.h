// The game's 3D models: two lava rocks and the nova burst.
#pragma once

#include <cstdint>

#include "Geometry.h"

namespace datagen {

struct RockStyle {
    uint64_t seed;
    Vec3 stretch;     // ellipsoid axes before the cuts
    int cuts;         // flat chisel planes that give the rock its facets
    float cutDepth;   // how deep the planes reach, as a fraction of the radius
    float lumpiness;  // amplitude of the low-frequency bumps
};

// An irregular rock: a subdivided icosahedron carved by planes and bumped by noise, scaled so
// its largest radius is 1.05, with box-projected texture coordinates (vertices on chart
// borders are split).
TriMesh makeRock(const RockStyle& style);

// A star burst: crossed textured planes through the centre and thin crossed blades radiating
// from it, so that it reads as a burst from every side (it is drawn without culling).
TriMesh makeNova(uint64_t seed);

}  // namespace datagen
