// Matrix3x3: a column-major 3x3 float matrix, the normal matrix handed to shaders.
#pragma once

#include "math/Matrix4x4.h"

class Matrix3x3 {
public:
    // Element k holds row k % 3, column k / 3.
    float m[9];

    Matrix3x3();
    // The upper-left 3x3 block of a 4x4 matrix.
    explicit Matrix3x3(const Matrix4x4& source);

    Matrix3x3& loadIdentity();
    Matrix3x3 transpose() const;
    // Adjugate over determinant; throws "Zero determinant" (const char*) when the
    // determinant is exactly 0.
    Matrix3x3 invert() const;
    // The signed cofactor of row i, column j, reading element 3a + b as entry (a, b).
    float invf(int i, int j) const;
};
