// ObjLoader: Wavefront OBJ text into the lists of a mesh. Parsing needs no GL, so it is a
// function of its own; Mesh::loadObj hands its result to a buffered mesh.
#pragma once

#include <memory>

#include "core/List.h"
#include "math/Vector2.h"
#include "math/Vector3.h"

// What one OBJ text yields. Every element indexes `vertices`, the element list holds whole
// triangles only, and `normals` / `texcoords`, when present, have one entry per vertex.
struct ObjData {
    std::unique_ptr<List<Vector3>> vertices;         // always present (possibly empty)
    std::unique_ptr<List<Vector3>> normals;          // null: the file gave no usable normals
    std::unique_ptr<List<Vector2>> texcoords;        // null: the file gave no texture coordinates
    std::unique_ptr<List<unsigned short>> elements;  // null: the file has no faces
};

// Reads `size` bytes of OBJ text (v, vn, vt and f lines; everything else is skipped).
// Polygons become fans of triangles. A face naming a position, texture or normal index
// outside what the file has defined so far is reported with "List get index overflow: %d"
// (0-based index) on standard output and left out whole.
void parseObj(const char* text, int size, ObjData* out);
