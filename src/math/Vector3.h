// Vector3: three floats x, y, z; a serialisable value (12 bytes, little-endian floats).
#pragma once

#include <cmath>

#include "core/Bufferable.h"

class Vector3 : public Bufferable {
public:
    float x = 0;
    float y = 0;
    float z = 0;

    Vector3() = default;
    Vector3(float x, float y, float z) : x(x), y(y), z(z) {}
    Vector3(const Vector3&) = default;
    Vector3& operator=(const Vector3&) = default;

    void writeToBuffer(Buffer* target) override;
    void readFromBuffer(Buffer* source) override;
};

inline Vector3 operator+(const Vector3& a, const Vector3& b) {
    return Vector3(a.x + b.x, a.y + b.y, a.z + b.z);
}
inline Vector3 operator-(const Vector3& a, const Vector3& b) {
    return Vector3(a.x - b.x, a.y - b.y, a.z - b.z);
}
inline Vector3 operator-(const Vector3& a) { return Vector3(-a.x, -a.y, -a.z); }
inline Vector3 operator*(const Vector3& a, float s) { return Vector3(a.x * s, a.y * s, a.z * s); }
inline Vector3 operator/(const Vector3& a, float s) { return Vector3(a.x / s, a.y / s, a.z / s); }
inline bool operator==(const Vector3& a, const Vector3& b) { return a.x == b.x && a.y == b.y && a.z == b.z; }

inline float dot(const Vector3& a, const Vector3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline Vector3 cross(const Vector3& a, const Vector3& b) {
    return Vector3(a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x);
}
inline float length(const Vector3& a) { return std::sqrt(dot(a, a)); }
// Unguarded: a zero vector gives NaN components, as the geometry code expects.
inline Vector3 normalize(const Vector3& a) { return a / length(a); }
