// Matrix4x4: the transform arithmetic of every scene node, camera and draw call.
#include "math/Matrix4x4.h"

#include <cmath>
#include <cstring>

#include "math/Angles.h"

namespace {

const float IDENTITY[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

float det3(float a, float b, float c, float d, float e, float f, float g, float h, float i) {
    return a * (e * i - f * h) - b * (d * i - f * g) + c * (d * h - e * g);
}

}  // namespace

Matrix4x4::Matrix4x4() { loadIdentity(); }

Matrix4x4::Matrix4x4(Vector3 base) {
    loadIdentity();
    setBase(base);
}

Matrix4x4::Matrix4x4(Vector3 x, Vector3 y, Vector3 z, Vector3 base) {
    loadIdentity();
    setX(x);
    setY(y);
    setZ(z);
    setBase(base);
}

Matrix4x4& Matrix4x4::loadIdentity() {
    memcpy(m, IDENTITY, sizeof m);
    return *this;
}

Matrix4x4& Matrix4x4::mult(Matrix4x4 other, bool keepBase) {
    float r[16] = {0};
    int columns = 4;
    if (keepBase) {
        r[12] = m[12];
        r[13] = m[13];
        r[14] = m[14];
        r[15] = 1;
        columns = 3;
    }
    for (int col = 0; col < columns; col++) {
        for (int row = 0; row < 4; row++) {
            float sum = 0;
            for (int k = 0; k < 4; k++) sum += m[4 * col + k] * other.m[4 * k + row];
            r[4 * col + row] = sum;
        }
    }
    memcpy(m, r, sizeof m);
    return *this;
}

Matrix4x4& Matrix4x4::rotate(Vector3 axis, float angle) { return mult(rotation(axis, angle), true); }

Matrix4x4& Matrix4x4::scale(Vector3 s) {
    for (int k = 0; k < 3; k++) {
        m[k] *= s.x;
        m[4 + k] *= s.y;
        m[8 + k] *= s.z;
    }
    return *this;
}

Matrix4x4& Matrix4x4::translate(Vector3 v) {
    setBase(translateVector(v));
    return *this;
}

Vector3 Matrix4x4::translateVector(Vector3 v) const {
    return Vector3(m[0] * v.x + m[4] * v.y + m[8] * v.z + m[12], m[1] * v.x + m[5] * v.y + m[9] * v.z + m[13],
                   m[2] * v.x + m[6] * v.y + m[10] * v.z + m[14]);
}

Vector4 Matrix4x4::translateVector(Vector4 v) const {
    return Vector4(m[0] * v.x + m[4] * v.y + m[8] * v.z + m[12] * v.w,
                   m[1] * v.x + m[5] * v.y + m[9] * v.z + m[13] * v.w,
                   m[2] * v.x + m[6] * v.y + m[10] * v.z + m[14] * v.w,
                   m[3] * v.x + m[7] * v.y + m[11] * v.z + m[15] * v.w);
}

Matrix4x4 Matrix4x4::transpose() const {
    Matrix4x4 t;
    for (int row = 0; row < 4; row++)
        for (int col = 0; col < 4; col++) t.m[4 * col + row] = m[4 * row + col];
    return t;
}

Matrix4x4 Matrix4x4::invert() const {
    float inv[16];
    inv[0] = m[5] * m[10] * m[15] - m[5] * m[11] * m[14] - m[9] * m[6] * m[15] + m[9] * m[7] * m[14] +
             m[13] * m[6] * m[11] - m[13] * m[7] * m[10];
    inv[4] = -m[4] * m[10] * m[15] + m[4] * m[11] * m[14] + m[8] * m[6] * m[15] - m[8] * m[7] * m[14] -
             m[12] * m[6] * m[11] + m[12] * m[7] * m[10];
    inv[8] = m[4] * m[9] * m[15] - m[4] * m[11] * m[13] - m[8] * m[5] * m[15] + m[8] * m[7] * m[13] +
             m[12] * m[5] * m[11] - m[12] * m[7] * m[9];
    inv[12] = -m[4] * m[9] * m[14] + m[4] * m[10] * m[13] + m[8] * m[5] * m[14] - m[8] * m[6] * m[13] -
              m[12] * m[5] * m[10] + m[12] * m[6] * m[9];
    inv[1] = -m[1] * m[10] * m[15] + m[1] * m[11] * m[14] + m[9] * m[2] * m[15] - m[9] * m[3] * m[14] -
             m[13] * m[2] * m[11] + m[13] * m[3] * m[10];
    inv[5] = m[0] * m[10] * m[15] - m[0] * m[11] * m[14] - m[8] * m[2] * m[15] + m[8] * m[3] * m[14] +
             m[12] * m[2] * m[11] - m[12] * m[3] * m[10];
    inv[9] = -m[0] * m[9] * m[15] + m[0] * m[11] * m[13] + m[8] * m[1] * m[15] - m[8] * m[3] * m[13] -
             m[12] * m[1] * m[11] + m[12] * m[3] * m[9];
    inv[13] = m[0] * m[9] * m[14] - m[0] * m[10] * m[13] - m[8] * m[1] * m[14] + m[8] * m[2] * m[13] +
              m[12] * m[1] * m[10] - m[12] * m[2] * m[9];
    inv[2] = m[1] * m[6] * m[15] - m[1] * m[7] * m[14] - m[5] * m[2] * m[15] + m[5] * m[3] * m[14] +
             m[13] * m[2] * m[7] - m[13] * m[3] * m[6];
    inv[6] = -m[0] * m[6] * m[15] + m[0] * m[7] * m[14] + m[4] * m[2] * m[15] - m[4] * m[3] * m[14] -
             m[12] * m[2] * m[7] + m[12] * m[3] * m[6];
    inv[10] = m[0] * m[5] * m[15] - m[0] * m[7] * m[13] - m[4] * m[1] * m[15] + m[4] * m[3] * m[13] +
              m[12] * m[1] * m[7] - m[12] * m[3] * m[5];
    inv[14] = -m[0] * m[5] * m[14] + m[0] * m[6] * m[13] + m[4] * m[1] * m[14] - m[4] * m[2] * m[13] -
              m[12] * m[1] * m[6] + m[12] * m[2] * m[5];
    inv[3] = -m[1] * m[6] * m[11] + m[1] * m[7] * m[10] + m[5] * m[2] * m[11] - m[5] * m[3] * m[10] -
             m[9] * m[2] * m[7] + m[9] * m[3] * m[6];
    inv[7] = m[0] * m[6] * m[11] - m[0] * m[7] * m[10] - m[4] * m[2] * m[11] + m[4] * m[3] * m[10] +
             m[8] * m[2] * m[7] - m[8] * m[3] * m[6];
    inv[11] = -m[0] * m[5] * m[11] + m[0] * m[7] * m[9] + m[4] * m[1] * m[11] - m[4] * m[3] * m[9] -
              m[8] * m[1] * m[7] + m[8] * m[3] * m[5];
    inv[15] = m[0] * m[5] * m[10] - m[0] * m[6] * m[9] - m[4] * m[1] * m[10] + m[4] * m[2] * m[9] +
              m[8] * m[1] * m[6] - m[8] * m[2] * m[5];

    float det = m[0] * inv[0] + m[1] * inv[4] + m[2] * inv[8] + m[3] * inv[12];
    // Only an exact zero is refused; a NaN determinant yields a NaN matrix, as it always has.
    if (det == 0) throw "Zero determinant";

    Matrix4x4 result;
    for (int k = 0; k < 16; k++) result.m[k] = inv[k] / det;
    return result;
}

float Matrix4x4::invf(int i, int j) const {
    // Indices wrap modulo 4 (also for negative arguments), so no call can read outside m.
    auto a = [this](int row, int col) { return m[4 * (row & 3) + (col & 3)]; };
    // The rows i+1..i+3 in cyclic order are an even permutation of the sorted ones, so the
    // minor needs no extra sign; only the checkerboard sign of (i, j) applies.
    float minor = det3(a(i + 1, j + 1), a(i + 1, j + 2), a(i + 1, j + 3), a(i + 2, j + 1), a(i + 2, j + 2),
                       a(i + 2, j + 3), a(i + 3, j + 1), a(i + 3, j + 2), a(i + 3, j + 3));
    return ((i + j) & 1) ? -minor : minor;
}

Matrix4x4 Matrix4x4::inverse() const {
    float c[16];
    for (int i = 0; i < 4; i++)
        for (int j = 0; j < 4; j++) c[i + 4 * j] = invf(i, j);

    float det = 0;
    for (int j = 0; j < 4; j++) det += m[j] * c[4 * j];
    if (det == 0) throw "Zero determinant";

    Matrix4x4 result;
    for (int k = 0; k < 16; k++) result.m[k] = c[k] / det;
    return result;
}

Matrix4x4 Matrix4x4::perspective(float fovy, float aspect, float zNear, float zFar) {
    Matrix4x4 r;
    float half = static_cast<float>(fovy * 0.5 * PI / 180.0);
    float s = std::sin(half);
    float depth = zFar - zNear;
    if (depth == 0 || s == 0 || aspect == 0) return r;
    float cot = std::cos(half) / s;

    r.m[0] = cot / aspect;
    r.m[5] = cot;
    r.m[10] = -(zFar + zNear) / depth;
    r.m[11] = -1;
    r.m[14] = (zNear * -2 * zFar) / depth;
    r.m[15] = 0;
    return r;
}

Matrix4x4 Matrix4x4::ortho(float left, float right, float bottom, float top, float zNear, float zFar) {
    Matrix4x4 r;
    memset(r.m, 0, sizeof r.m);
    r.m[0] = 2 / (right - left);
    r.m[5] = 2 / (top - bottom);
    r.m[10] = -2 / (zFar - zNear);
    r.m[12] = (right + left) / (left - right);
    r.m[13] = (top + bottom) / (bottom - top);
    r.m[14] = (zFar + zNear) / (zNear - zFar);
    r.m[15] = 1;
    return r;
}

Matrix4x4 Matrix4x4::rotation(Vector3 axis, float angle) {
    float rad = static_cast<float>(PI * angle / 180.0);
    float s = std::sin(rad);
    float co = std::cos(rad);
    float t = 1 - co;
    float x = axis.x, y = axis.y, z = axis.z;

    Matrix4x4 r;
    r.m[0] = x * x * t + co;
    r.m[1] = x * y * t + z * s;
    r.m[2] = x * z * t - y * s;
    r.m[3] = 0;
    r.m[4] = x * y * t - z * s;
    r.m[5] = y * y * t + co;
    r.m[6] = y * z * t + x * s;
    r.m[7] = 0;
    r.m[8] = x * z * t + y * s;
    r.m[9] = y * z * t - x * s;
    r.m[10] = z * z * t + co;
    r.m[11] = 0;
    return r;
}

Matrix4x4 Matrix4x4::lookAt(Vector3 eye, Vector3 center, Vector3 up) {
    Vector3 f = normalize(center - eye);
    Vector3 s = normalize(cross(f, up));
    Vector3 u = cross(s, f);

    Matrix4x4 r;
    r.m[0] = s.x;
    r.m[4] = s.y;
    r.m[8] = s.z;
    r.m[1] = u.x;
    r.m[5] = u.y;
    r.m[9] = u.z;
    r.m[2] = -f.x;
    r.m[6] = -f.y;
    r.m[10] = -f.z;
    r.translate(-eye);
    return r;
}
