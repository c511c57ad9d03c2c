// Vector4: four floats x, y, z, w; a serialisable value (16 bytes, little-endian floats).
#pragma once

#include "core/Bufferable.h"

class Vector4 : public Bufferable {
public:
    float x = 0;
    float y = 0;
    float z = 0;
    float w = 0;

    Vector4() = default;
    Vector4(float x, float y, float z, float w) : x(x), y(y), z(z), w(w) {}
    Vector4(const Vector4&) = default;
    Vector4& operator=(const Vector4&) = default;

    void writeToBuffer(Buffer* target) override;
    void readFromBuffer(Buffer* source) override;
};

inline bool operator==(const Vector4& a, const Vector4& b) {
    return a.x == b.x && a.y == b.y && a.z == b.z && a.w == b.w;
}
