// 3D vectors, 4x4 matrices and indexed triangle meshes for the generated models and previews.
#pragma once

#include <cmath>
#include <string>
#include <vector>

#include "Shapes.h"

namespace datagen {

struct Vec3 {
    float x = 0.0f, y = 0.0f, z = 0.0f;
};

inline Vec3 operator+(Vec3 a, Vec3 b) { return Vec3{a.x + b.x, a.y + b.y, a.z + b.z}; }
inline Vec3 operator-(Vec3 a, Vec3 b) { return Vec3{a.x - b.x, a.y - b.y, a.z - b.z}; }
inline Vec3 operator*(Vec3 a, float k) { return Vec3{a.x * k, a.y * k, a.z * k}; }
inline float dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline Vec3 cross(Vec3 a, Vec3 b) {
    return Vec3{a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline float length(Vec3 a) { return std::sqrt(dot(a, a)); }
inline Vec3 normalize(Vec3 a) {
    float l = length(a);
    return l > 0.0f ? a * (1.0f / l) : Vec3{0.0f, 1.0f, 0.0f};
}

// Column-major 4x4 matrix, m[column * 4 + row], the OpenGL layout.
struct Mat4 {
    float m[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

    static Mat4 translation(Vec3 t);
    static Mat4 scaling(Vec3 s);
    static Mat4 rotation(float degrees, Vec3 axis);
    static Mat4 perspective(float fovYDegrees, float aspect, float zNear, float zFar);

    Mat4 operator*(const Mat4& o) const;
    Vec3 transformPoint(Vec3 p) const;
    Vec3 transformDirection(Vec3 d) const;
    // Homogeneous product: x, y, z and w of (p, 1).
    void transform4(Vec3 p, float out[4]) const;
};

// One index per corner addresses the position, normal and texture coordinate alike,
// the way the game's OBJ loader stores meshes.
struct TriMesh {
    std::vector<Vec3> positions;
    std::vector<Vec3> normals;
    std::vector<Vec2> texcoords;
    std::vector<int> indices;

    int triangleCount() const { return static_cast<int>(indices.size() / 3); }
};

// Smooth vertex normals, area-weighted over the faces that share each vertex.
void computeNormals(TriMesh& mesh);

// OBJ text: v, vt, vn lines and f lines of v/vt/vn triangles with 1-based indices.
std::string toObj(const TriMesh& mesh, const std::string& comment);

}  // namespace datagen
