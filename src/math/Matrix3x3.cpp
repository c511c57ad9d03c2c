// Matrix3x3: the normal matrix of the shader build.
#include "math/Matrix3x3.h"

#include <cstring>

namespace {
const float IDENTITY[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
}

Matrix3x3::Matrix3x3() { loadIdentity(); }

Matrix3x3::Matrix3x3(const Matrix4x4& source) {
    static const int FROM[9] = {0, 1, 2, 4, 5, 6, 8, 9, 10};
    for (int k = 0; k < 9; k++) m[k] = source.m[FROM[k]];
}

Matrix3x3& Matrix3x3::loadIdentity() {
    memcpy(m, IDENTITY, sizeof m);
    return *this;
}

Matrix3x3 Matrix3x3::transpose() const {
    Matrix3x3 t;
    for (int row = 0; row < 3; row++)
        for (int col = 0; col < 3; col++) t.m[3 * col + row] = m[3 * row + col];
    return t;
}

float Matrix3x3::invf(int i, int j) const {
    // The two rows and columns that remain after striking row i and column j, in order.
    // Arguments outside 0..2 still select rows and columns inside the matrix.
    int r0 = i == 0 ? 1 : 0, r1 = i == 2 ? 1 : 2;
    int c0 = j == 0 ? 1 : 0, c1 = j == 2 ? 1 : 2;
    float minor = m[3 * r0 + c0] * m[3 * r1 + c1] - m[3 * r0 + c1] * m[3 * r1 + c0];
    return ((i + j) & 1) ? -minor : minor;
}

Matrix3x3 Matrix3x3::invert() const {
    float c[9];
    for (int i = 0; i < 3; i++)
        for (int j = 0; j < 3; j++) c[i + 3 * j] = invf(i, j);

    float det = m[0] * c[0] + m[1] * c[3] + m[2] * c[6];
    if (det == 0) throw "Zero determinant";

    Matrix3x3 result;
    for (int k = 0; k < 9; k++) result.m[k] = c[k] / det;
    return result;
}
