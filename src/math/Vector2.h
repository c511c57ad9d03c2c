// Vector2: two floats x, y; a serialisable value (8 bytes, little-endian floats).
#pragma once

#include "core/Bufferable.h"

class Vector2 : public Bufferable {
public:
    float x = 0;
    float y = 0;

    Vector2() = default;
    Vector2(float x, float y) : x(x), y(y) {}
    Vector2(const Vector2&) = default;
    Vector2& operator=(const Vector2&) = default;

    void writeToBuffer(Buffer* target) override;
    void readFromBuffer(Buffer* source) override;
};

inline Vector2 operator+(const Vector2& a, const Vector2& b) { return Vector2(a.x + b.x, a.y + b.y); }
inline Vector2 operator-(const Vector2& a, const Vector2& b) { return Vector2(a.x - b.x, a.y - b.y); }
inline Vector2 operator*(const Vector2& a, float s) { return Vector2(a.x * s, a.y * s); }
inline bool operator==(const Vector2& a, const Vector2& b) { return a.x == b.x && a.y == b.y; }
