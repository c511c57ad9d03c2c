// Matrix helpers and OBJ output for the generated meshes.
#include "Geometry.h"

#include <cstdio>

namespace datagen {

Mat4 Mat4::translation(Vec3 t) {
    Mat4 r;
    r.m[12] = t.x;
    r.m[13] = t.y;
    r.m[14] = t.z;
    return r;
}

Mat4 Mat4::scaling(Vec3 s) {
    Mat4 r;
    r.m[0] = s.x;
    r.m[5] = s.y;
    r.m[10] = s.z;
    return r;
}

Mat4 Mat4::rotation(float degrees, Vec3 axis) {
    Vec3 a = normalize(axis);
    float rad = degrees * 3.14159265f / 180.0f;
    float c = std::cos(rad), s = std::sin(rad), t = 1.0f - c;
    Mat4 r;
    r.m[0] = t * a.x * a.x + c;
    r.m[1] = t * a.x * a.y + s * a.z;
    r.m[2] = t * a.x * a.z - s * a.y;
    r.m[4] = t * a.x * a.y - s * a.z;
    r.m[5] = t * a.y * a.y + c;
    r.m[6] = t * a.y * a.z + s * a.x;
    r.m[8] = t * a.x * a.z + s * a.y;
    r.m[9] = t * a.y * a.z - s * a.x;
    r.m[10] = t * a.z * a.z + c;
    return r;
}

Mat4 Mat4::perspective(float fovYDegrees, float aspect, float zNear, float zFar) {
    float f = 1.0f / std::tan(fovYDegrees * 3.14159265f / 360.0f);
    Mat4 r;
    r.m[0] = f / aspect;
    r.m[5] = f;
    r.m[10] = (zFar + zNear) / (zNear - zFar);
    r.m[11] = -1.0f;
    r.m[14] = 2.0f * zFar * zNear / (zNear - zFar);
    r.m[15] = 0.0f;
    return r;
}

Mat4 Mat4::operator*(const Mat4& o) const {
    Mat4 r;
    for (int c = 0; c < 4; ++c) {
        for (int row = 0; row < 4; ++row) {
            float sum = 0.0f;
            for (int k = 0; k < 4; ++k) sum += m[k * 4 + row] * o.m[c * 4 + k];
            r.m[c * 4 + row] = sum;
        }
    }
    return r;
}

void Mat4::transform4(Vec3 p, float out[4]) const {
    for (int row = 0; row < 4; ++row)
        out[row] = m[row] * p.x + m[4 + row] * p.y + m[8 + row] * p.z + m[12 + row];
}

Vec3 Mat4::transformPoint(Vec3 p) const {
    float o[4];
    transform4(p, o);
    return Vec3{o[0], o[1], o[2]};
}

Vec3 Mat4::transformDirection(Vec3 d) const {
    return Vec3{m[0] * d.x + m[4] * d.y + m[8] * d.z, m[1] * d.x + m[5] * d.y + m[9] * d.z,
                m[2] * d.x + m[6] * d.y + m[10] * d.z};
}

void computeNormals(TriMesh& mesh) {
    mesh.normals.assign(mesh.positions.size(), Vec3{});
    for (size_t i = 0; i + 2 < mesh.indices.size(); i += 3) {
        int a = mesh.indices[i], b = mesh.indices[i + 1], c = mesh.indices[i + 2];
        Vec3 n = cross(mesh.positions[b] - mesh.positions[a], mesh.positions[c] - mesh.positions[a]);
        mesh.normals[a] = mesh.normals[a] + n;
        mesh.normals[b] = mesh.normals[b] + n;
        mesh.normals[c] = mesh.normals[c] + n;
    }
    for (Vec3& n : mesh.normals) n = normalize(n);
}

std::string toObj(const TriMesh& mesh, const std::string& comment) {
    std::string out = "# " + comment + "\n";
    char line[128];
    for (const Vec3& p : mesh.positions) {
        std::snprintf(line, sizeof line, "v %.5f %.5f %.5f\n", p.x, p.y, p.z);
        out += line;
    }
    for (const Vec2& t : mesh.texcoords) {
        std::snprintf(line, sizeof line, "vt %.5f %.5f\n", t.x, t.y);
        out += line;
    }
    for (const Vec3& n : mesh.normals) {
        std::snprintf(line, sizeof line, "vn %.5f %.5f %.5f\n", n.x, n.y, n.z);
        out += line;
    }
    for (size_t i = 0; i + 2 < mesh.indices.size(); i += 3) {
        int a = mesh.indices[i] + 1, b = mesh.indices[i + 1] + 1, c = mesh.indices[i + 2] + 1;
        std::snprintf(line, sizeof line, "f %d/%d/%d %d/%d/%d %d/%d/%d\n", a, a, a, b, b, b, c, c, c);
        out += line;
    }
    return out;
}

}  // namespace datagen
