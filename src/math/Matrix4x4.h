// Matrix4x4: a column-major 4x4 float matrix laid out exactly as OpenGL expects it, so it
// goes to glLoadMatrixf / glUniformMatrix4fv unchanged. Points are column vectors (p' = M p).
#pragma once

#include "math/Vector3.h"
#include "math/Vector4.h"

class Matrix4x4 {
public:
    // Element k holds row k % 4, column k / 4. Columns 0..2 are the images of the x, y and
    // z axes, elements 12..14 the translation ("base"); 3, 7, 11 and 15 form the bottom row.
    float m[16];

    Matrix4x4();
    explicit Matrix4x4(Vector3 base);
    Matrix4x4(Vector3 x, Vector3 y, Vector3 z, Vector3 base);

    Matrix4x4& loadIdentity();
    // This matrix T becomes other * T: T is applied first, then other. With keepBase the
    // translation is kept, only the three axis columns are transformed and element 15 is 1.
    Matrix4x4& mult(Matrix4x4 other, bool keepBase);
    // Rotation about an axis (in the parent's coordinates) through this matrix's own origin;
    // angle in degrees, axis not normalised.
    Matrix4x4& rotate(Vector3 axis, float angle);
    // T * S for an affine T: scales the axis columns, leaves the base alone.
    Matrix4x4& scale(Vector3 s);
    // T * Translation(v): moves the base by v expressed in this matrix's own axes.
    Matrix4x4& translate(Vector3 v);

    // M * (v, 1) without the division by w.
    Vector3 translateVector(Vector3 v) const;
    // The full product M * v; pass w = 0 to carry a direction.
    Vector4 translateVector(Vector4 v) const;

    Vector3 getBase() const { return Vector3(m[12], m[13], m[14]); }
    Vector3 getX() const { return Vector3(m[0], m[1], m[2]); }
    Vector3 getY() const { return Vector3(m[4], m[5], m[6]); }
    Vector3 getZ() const { return Vector3(m[8], m[9], m[10]); }
    void setBase(Vector3 v) { setColumn(12, v); }
    void setX(Vector3 v) { setColumn(0, v); }
    void setY(Vector3 v) { setColumn(4, v); }
    void setZ(Vector3 v) { setColumn(8, v); }

    Matrix4x4 transpose() const;
    // The inverse. Use invert(): the unrolled cofactor expansion, about twice as fast as
    // inverse(), and what the engine itself calls. Throws "Zero determinant" (const char*)
    // when the determinant is exactly 0.
    Matrix4x4 invert() const;
    // The same inverse built one cofactor at a time through invf(), for callers that want
    // single cofactors as well; same result within rounding, same exception.
    Matrix4x4 inverse() const;
    // The signed cofactor of row i, column j, reading element 4a + b as entry (a, b).
    float invf(int i, int j) const;

    // The matrices of gluPerspective (fovy in degrees, full vertical angle), glOrtho,
    // glRotate (degrees, counter-clockwise looking down the axis) and gluLookAt.
    // perspective returns the identity when the depth range, the angle or the aspect is 0;
    // the others do not guard against degenerate input.
    static Matrix4x4 perspective(float fovy, float aspect, float zNear, float zFar);
    static Matrix4x4 ortho(float left, float right, float bottom, float top, float zNear, float zFar);
    static Matrix4x4 rotation(Vector3 axis, float angle);
    static Matrix4x4 lookAt(Vector3 eye, Vector3 center, Vector3 up);

private:
    void setColumn(int first, const Vector3& v) {
        m[first] = v.x;
        m[first + 1] = v.y;
        m[first + 2] = v.z;
    }
};
