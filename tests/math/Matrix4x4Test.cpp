#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "math/Matrix4x4.h"
#include "support/MatrixAssert.h"
#include "support/Thrown.h"

namespace {

const float IDENTITY[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

Matrix4x4 fromArray(const float (&values)[16]) {
    Matrix4x4 r;
    for (int k = 0; k < 16; k++) r.m[k] = values[k];
    return r;
}

// Element k holds k + 1, so every element is distinct and non-zero.
Matrix4x4 counting() {
    Matrix4x4 r;
    for (int k = 0; k < 16; k++) r.m[k] = static_cast<float>(k + 1);
    return r;
}

Vector4 point(float x, float y, float z) { return Vector4(x, y, z, 1); }

// A rotation, a non-uniform scale and a translation: an affine matrix with bottom row (0, 0, 0, 1).
Matrix4x4 someAffine() {
    Matrix4x4 r = Matrix4x4::rotation(Vector3(0.3f, -0.8f, 0.52f), 37);
    r.scale(Vector3(1.5f, 0.75f, 2));
    r.setBase(Vector3(4, -2, 0.5f));
    return r;
}

TEST(Matrix4x4Test, ConstructorsLayTheColumnsOut) {
    EXPECT_TRUE(matrixNear(Matrix4x4(), IDENTITY, 0));

    const float withBase[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 7, 8, 9, 1};
    EXPECT_TRUE(matrixNear(Matrix4x4(Vector3(7, 8, 9)), withBase, 0));

    const float columns[16] = {1, 2, 3, 0, 4, 5, 6, 0, 7, 8, 9, 0, 10, 11, 12, 1};
    Matrix4x4 m(Vector3(1, 2, 3), Vector3(4, 5, 6), Vector3(7, 8, 9), Vector3(10, 11, 12));
    EXPECT_TRUE(matrixNear(m, columns, 0));

    Matrix4x4 c = counting();
    EXPECT_TRUE(matrixNear(c.loadIdentity(), IDENTITY, 0));
}

TEST(Matrix4x4Test, GettersAndSettersTouchOnlyTheirColumn) {
    struct Case {
        void (Matrix4x4::*set)(Vector3);
        Vector3 (Matrix4x4::*get)() const;
        int first;
    };
    const Case cases[] = {
        {&Matrix4x4::setX, &Matrix4x4::getX, 0},
        {&Matrix4x4::setY, &Matrix4x4::getY, 4},
        {&Matrix4x4::setZ, &Matrix4x4::getZ, 8},
        {&Matrix4x4::setBase, &Matrix4x4::getBase, 12},
    };
    for (const Case& c : cases) {
        Matrix4x4 m = counting();
        EXPECT_EQ((m.*c.get)(), Vector3(c.first + 1.0f, c.first + 2.0f, c.first + 3.0f));
        (m.*c.set)(Vector3(-1, -2, -3));
        for (int k = 0; k < 16; k++) {
            float expected = static_cast<float>(k + 1);
            if (k >= c.first && k < c.first + 3) expected = static_cast<float>(c.first - k - 1);
            EXPECT_EQ(m.m[k], expected) << "element " << k << " after writing column " << c.first / 4;
        }
        EXPECT_EQ((m.*c.get)(), Vector3(-1, -2, -3));
    }
}

TEST(Matrix4x4Test, TransposeSwapsRowsAndColumnsAndLeavesTheOriginal) {
    Matrix4x4 m = counting();
    Matrix4x4 t = m.transpose();
    for (int row = 0; row < 4; row++)
        for (int col = 0; col < 4; col++) EXPECT_EQ(t.m[4 * col + row], m.m[4 * row + col]);
    EXPECT_TRUE(matrixNear(m, counting(), 0));
    EXPECT_TRUE(matrixNear(t.transpose(), m, 0));
}

TEST(Matrix4x4Test, MultAppliesTheOtherMatrixAfterThisOne) {
    Matrix4x4 t = someAffine();
    // A projective matrix, so the bottom row takes part in the product too.
    Matrix4x4 o = Matrix4x4::perspective(70, 1.3f, 0.5f, 20);
    o.m[12] = 0.25f;

    Matrix4x4 combined = t;
    combined.mult(o, false);
    const Vector4 points[] = {point(0, 0, 0), point(1, -2, 3), point(-0.5f, 4, -7), Vector4(1, 1, 1, 0)};
    for (const Vector4& p : points) {
        Vector4 expected = o.translateVector(t.translateVector(p));
        EXPECT_TRUE(vectorNear(combined.translateVector(p), expected, 1e-4f));
    }

    // The other matrix is taken by value, so a matrix may be multiplied by itself.
    Matrix4x4 squared = t;
    squared.mult(t, false);
    Matrix4x4 copy = t;
    Matrix4x4 expected = t;
    expected.mult(copy, false);
    EXPECT_TRUE(matrixNear(squared, expected, 0));
}

TEST(Matrix4x4Test, MultKeepingTheBaseTransformsOnlyTheAxes) {
    Matrix4x4 t = counting();
    Matrix4x4 o = Matrix4x4::perspective(50, 2, 1, 9);
    o.m[13] = 3;

    Matrix4x4 r = t;
    r.mult(o, true);
    const float* columns[3] = {&t.m[0], &t.m[4], &t.m[8]};
    for (int col = 0; col < 3; col++) {
        Vector4 c(columns[col][0], columns[col][1], columns[col][2], columns[col][3]);
        Vector4 image = o.translateVector(c);
        EXPECT_TRUE(vectorNear(Vector4(r.m[4 * col], r.m[4 * col + 1], r.m[4 * col + 2], r.m[4 * col + 3]),
                               image, 1e-3f))
            << "column " << col;
    }
    EXPECT_EQ(r.getBase(), t.getBase());
    EXPECT_EQ(r.m[15], 1.0f);
}

TEST(Matrix4x4Test, RotateAndScaleKeepTheBase) {
    Matrix4x4 m = someAffine();
    m.m[15] = 3;
    m.m[3] = 0.5f;
    Vector3 base = m.getBase();
    Vector3 x = m.getX();

    m.rotate(Vector3(0, 0, 1), 90);
    EXPECT_EQ(m.getBase(), base);
    EXPECT_EQ(m.m[15], 1.0f);
    // The axes turn in the parent's coordinates: about z, (x, y, z) becomes (-y, x, z).
    EXPECT_TRUE(vectorNear(m.getX(), Vector3(-x.y, x.x, x.z), 1e-6f));
    EXPECT_FLOAT_EQ(m.m[3], 0.5f);

    // Scaling is T * S: the axis columns are scaled, the bottom row and the base stay.
    const Vector3 factors[] = {Vector3(2, 3, 4), Vector3(0, 1, 1), Vector3(-1, 0.5f, 1)};
    for (const Vector3& s : factors) {
        Matrix4x4 t = someAffine();
        t.m[7] = 0.25f;
        Matrix4x4 scaled = t;
        scaled.scale(s);

        Matrix4x4 affine = t;
        affine.m[7] = 0;
        Matrix4x4 product = Matrix4x4(Vector3(s.x, 0, 0), Vector3(0, s.y, 0), Vector3(0, 0, s.z), Vector3());
        product.mult(affine, false);
        product.m[7] = 0.25f;
        EXPECT_TRUE(matrixNear(scaled, product, 1e-6f));
        EXPECT_EQ(scaled.getBase(), t.getBase());
        EXPECT_EQ(scaled.m[15], t.m[15]);
    }
}

TEST(Matrix4x4Test, TranslateMovesAlongTheMatrixOwnAxes) {
    Matrix4x4 m = Matrix4x4::rotation(Vector3(0, 0, 1), 90);
    m.setBase(Vector3(1, 1, 1));
    m.translate(Vector3(1, 0, 0));
    EXPECT_TRUE(vectorNear(m.getBase(), Vector3(1, 2, 1), 1e-6f));
    EXPECT_TRUE(vectorNear(m.getX(), Vector3(0, 1, 0), 1e-6f));

    // In general translate is T * Translation(v).
    Matrix4x4 t = someAffine();
    Vector3 v(0.5f, -3, 2);
    Matrix4x4 expected(v);
    expected.mult(t, false);
    t.translate(v);
    EXPECT_TRUE(matrixNear(t, expected, 1e-5f));
}

TEST(Matrix4x4Test, TranslateVectorForPointsAndFullProducts) {
    Matrix4x4 m = counting();
    // Vector3: rows 0..2 plus the base, no division by the bottom row.
    EXPECT_EQ(m.translateVector(Vector3(1, 0, 0)), Vector3(1 + 13, 2 + 14, 3 + 15));
    EXPECT_EQ(m.translateVector(Vector3(0, 2, 0)), Vector3(10 + 13, 12 + 14, 14 + 15));
    // Vector4: all four rows, w from the argument; w = 0 carries a direction without the base.
    EXPECT_EQ(m.translateVector(Vector4(0, 0, 1, 0)), Vector4(9, 10, 11, 12));
    EXPECT_EQ(m.translateVector(Vector4(1, 0, 0, 2)), Vector4(1 + 26, 2 + 28, 3 + 30, 4 + 32));
}

TEST(Matrix4x4Test, PerspectiveMatchesTheClassicProjection) {
    const float ninety[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, -2, -1, 0, 0, -3, 0};
    Matrix4x4 p = Matrix4x4::perspective(90, 1, 1, 3);
    EXPECT_TRUE(matrixNear(p, ninety, 1e-6f));
    // The near plane lands on -1 and the far plane on +1 after the division by w.
    Vector4 nearPoint = p.translateVector(point(0, 0, -1));
    Vector4 farPoint = p.translateVector(point(0, 0, -3));
    EXPECT_FLOAT_EQ(nearPoint.z / nearPoint.w, -1);
    EXPECT_FLOAT_EQ(farPoint.z / farPoint.w, 1);

    // fovy 60, aspect 2, planes 0.1 and 100: cot 30 deg = sqrt(3).
    const float sixty[16] = {0.8660254f, 0, 0,          0,  0, 1.7320508f, 0,           0,
                             0,          0, -1.002002f, -1, 0, 0,          -0.2002002f, 0};
    EXPECT_TRUE(matrixNear(Matrix4x4::perspective(60, 2, 0.1f, 100), sixty, 1e-5f));
}

TEST(Matrix4x4Test, PerspectiveFallsBackToIdentityOnDegenerateInput) {
    struct Case {
        float fovy, aspect, zNear, zFar;
    };
    const Case cases[] = {
        {90, 1, 2, 2},  // no depth range
        {0, 1, 1, 3},   // no angle
        {90, 0, 1, 3},  // no width
    };
    for (const Case& c : cases) {
        EXPECT_TRUE(matrixNear(Matrix4x4::perspective(c.fovy, c.aspect, c.zNear, c.zFar), IDENTITY, 0))
            << c.fovy << " " << c.aspect << " " << c.zNear << " " << c.zFar;
    }
}

TEST(Matrix4x4Test, OrthoMapsTheCornersOfTheBox) {
    struct Case {
        float left, right, bottom, top, zNear, zFar;
        Vector3 in, out;
    };
    const Case cases[] = {
        {0, 911, 0, 512, -1, 1, Vector3(0, 0, 0), Vector3(-1, -1, 0)},
        {0, 911, 0, 512, -1, 1, Vector3(911, 512, 0), Vector3(1, 1, 0)},
        {0, 911, 0, 512, -1, 1, Vector3(455.5f, 256, 1), Vector3(0, 0, -1)},
        // The overlay camera's form: y downwards, z passed through.
        {0, 911, 512, 0, 1, -1, Vector3(0, 0, 0), Vector3(-1, 1, 0)},
        {0, 911, 512, 0, 1, -1, Vector3(911, 512, 0.5f), Vector3(1, -1, 0.5f)},
    };
    for (const Case& c : cases) {
        Matrix4x4 o = Matrix4x4::ortho(c.left, c.right, c.bottom, c.top, c.zNear, c.zFar);
        EXPECT_TRUE(vectorNear(o.translateVector(c.in), c.out, 1e-6f));
        EXPECT_EQ(o.m[3], 0.0f);
        EXPECT_EQ(o.m[15], 1.0f);
    }
}

TEST(Matrix4x4Test, RotationTurnsCounterClockwiseAboutTheAxis) {
    struct Case {
        Vector3 axis;
        float angle;
        Vector3 in, out;
    };
    const Case cases[] = {
        {Vector3(0, 0, 1), 90, Vector3(1, 0, 0), Vector3(0, 1, 0)},
        {Vector3(0, 0, 1), -90, Vector3(1, 0, 0), Vector3(0, -1, 0)},
        {Vector3(0, 0, 1), 180, Vector3(1, 2, 3), Vector3(-1, -2, 3)},
        {Vector3(1, 0, 0), 90, Vector3(0, 1, 0), Vector3(0, 0, 1)},
        {Vector3(0, 1, 0), 90, Vector3(0, 0, 1), Vector3(1, 0, 0)},
        {Vector3(0, 1, 0), 90, Vector3(1, 0, 0), Vector3(0, 0, -1)},
        {Vector3(0.57735027f, 0.57735027f, 0.57735027f), 120, Vector3(1, 0, 0), Vector3(0, 1, 0)},
        // The axis is used as given, not normalised.
        {Vector3(0, 0, 2), 90, Vector3(1, 0, 0), Vector3(0, 2, 0)},
    };
    for (const Case& c : cases) {
        Matrix4x4 r = Matrix4x4::rotation(c.axis, c.angle);
        EXPECT_TRUE(vectorNear(r.translateVector(c.in), c.out, 1e-6f)) << "angle " << c.angle;
        for (int k : {3, 7, 11, 12, 13, 14}) EXPECT_EQ(r.m[k], 0.0f) << "element " << k;
        EXPECT_EQ(r.m[15], 1.0f);
    }
}

TEST(Matrix4x4Test, LookAtGivesTheViewMatrixOfGluLookAt) {
    const float a = 0.70710678f, b = 0.57735027f, c = 0.40824829f;
    struct Case {
        Vector3 eye, center, up;
        float expected[16];
    };
    const Case cases[] = {
        {Vector3(0, 0, 5),
         Vector3(0, 0, 0),
         Vector3(0, 1, 0),
         {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, -5, 1}},
        // Only the direction of up counts, and only its part across the line of sight.
        {Vector3(0, 0, 5),
         Vector3(0, 0, 0),
         Vector3(0, 3, 1),
         {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, -5, 1}},
        {Vector3(3, 0, 0),
         Vector3(0, 0, 0),
         Vector3(0, 1, 0),
         {0, 0, 1, 0, 0, 1, 0, 0, -1, 0, 0, 0, 0, 0, -3, 1}},
        {Vector3(1, 1, 1),
         Vector3(0, 0, 0),
         Vector3(0, 1, 0),
         {a, -c, b, 0, 0, 2 * c, b, 0, -a, -c, b, 0, 0, 0, -1.7320508f, 1}},
    };
    for (const Case& k : cases) {
        Matrix4x4 view = Matrix4x4::lookAt(k.eye, k.center, k.up);
        EXPECT_TRUE(matrixNear(view, k.expected, 1e-6f));
        // The eye goes to the origin and the centre straight ahead, down the negative z axis.
        EXPECT_TRUE(vectorNear(view.translateVector(k.eye), Vector3(0, 0, 0), 1e-6f));
        float distance = length(k.center - k.eye);
        EXPECT_TRUE(vectorNear(view.translateVector(k.center), Vector3(0, 0, -distance), 1e-5f));
    }
}

TEST(Matrix4x4Test, InversionsOfASingularMatrixThrowZeroDeterminant) {
    const float zeros[16] = {0};
    const float equalColumns[16] = {1, 2, 3, 4, 1, 2, 3, 4, 0, 0, 1, 0, 0, 0, 0, 1};
    const float flat[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 5, 6, 7, 1};
    const float equalRows[16] = {1, 1, 0, 0, 2, 2, 0, 0, 3, 3, 1, 0, 4, 4, 0, 1};
    for (const float(*values)[16] : {&zeros, &equalColumns, &flat, &equalRows}) {
        Matrix4x4 m = fromArray(*values);
        EXPECT_EQ(thrownMessage([&] { m.invert(); }), "Zero determinant");
        EXPECT_EQ(thrownMessage([&] { m.inverse(); }), "Zero determinant");
    }
}

TEST(Matrix4x4Test, OnlyAnExactlyZeroDeterminantIsRefused) {
    // A tiny determinant still inverts.
    Matrix4x4 tiny;
    tiny.m[0] = 1e-10f;
    EXPECT_FLOAT_EQ(tiny.invert().m[0], 1e10f);
    EXPECT_FLOAT_EQ(tiny.inverse().m[0], 1e10f);

    // A NaN determinant is not zero: the result is NaN rather than an exception.
    Matrix4x4 broken;
    broken.m[5] = std::numeric_limits<float>::quiet_NaN();
    EXPECT_EQ(thrownMessage([&] { EXPECT_TRUE(std::isnan(broken.invert().m[0])); }), "");
    EXPECT_EQ(thrownMessage([&] { EXPECT_TRUE(std::isnan(broken.inverse().m[0])); }), "");
}

TEST(Matrix4x4Test, InversesDivideEachCofactorByTheDeterminant) {
    // Integer cofactors over the determinant 3: a division per element gives the correctly
    // rounded quotients exactly, where multiplying by 1/3 would be one unit off for 5/3 and 7/3.
    Matrix4x4 m = fromArray({1, 0, 0, 5, 0, 1, 0, 7, 0, 0, 1, 0, 0, 0, 0, 3});
    const float expected[16] = {1, 0, 0, -5.0f / 3, 0, 1, 0, -7.0f / 3, 0, 0, 1, 0, 0, 0, 0, 1.0f / 3};
    EXPECT_TRUE(matrixNear(m.invert(), expected, 0));
    EXPECT_TRUE(matrixNear(m.inverse(), expected, 0));
}

TEST(Matrix4x4Test, InvertAndInverseAgreeAndUndoTheMatrix) {
    std::mt19937 random(20240611);
    std::uniform_real_distribution<float> spread(-1, 1);
    std::vector<Matrix4x4> matrices = {
        someAffine(), Matrix4x4::perspective(60, 1.7f, 0.1f, 50),
        Matrix4x4::lookAt(Vector3(2, 3, 4), Vector3(0, 1, 0), Vector3(0, 1, 0))};
    for (int n = 0; n < 6; n++) {
        Matrix4x4 m;
        // Diagonally dominant, hence far from singular, with a full bottom row.
        for (int k = 0; k < 16; k++) m.m[k] = spread(random) + (k % 5 == 0 ? 4 : 0);
        matrices.push_back(m);
    }
    for (const Matrix4x4& m : matrices) {
        Matrix4x4 inv = m.invert();
        EXPECT_TRUE(matrixNear(m.inverse(), inv, 1e-5f));
        Matrix4x4 right = inv;
        right.mult(m, false);  // m * inv
        EXPECT_TRUE(matrixNear(right, IDENTITY, 1e-5f));
        Matrix4x4 left = m;
        left.mult(inv, false);  // inv * m
        EXPECT_TRUE(matrixNear(left, IDENTITY, 1e-5f));
        EXPECT_TRUE(matrixNear(m, m.transpose().transpose(), 0)) << "inversion changed the matrix";
    }
}

TEST(Matrix4x4Test, InvfIsTheSignedCofactor) {
    // Row i of A times the cofactors of row k is det(A) when i == k and 0 otherwise,
    // with A(a, b) = element 4a + b.
    Matrix4x4 m = someAffine();
    m.m[3] = 0.5f;
    m.m[11] = -0.25f;
    double det = 0;
    for (int j = 0; j < 4; j++) det += m.m[j] * m.invf(0, j);
    ASSERT_GT(std::fabs(det), 0.1);
    for (int i = 0; i < 4; i++) {
        for (int k = 0; k < 4; k++) {
            double sum = 0;
            for (int j = 0; j < 4; j++) sum += m.m[4 * i + j] * m.invf(k, j);
            EXPECT_NEAR(sum, i == k ? det : 0, 1e-4) << "row " << i << " with cofactors of row " << k;
        }
    }

    Matrix4x4 diagonal;
    diagonal.scale(Vector3(2, 3, 4));
    diagonal.m[15] = 5;
    EXPECT_EQ(diagonal.invf(0, 0), 60.0f);
    EXPECT_EQ(diagonal.invf(3, 3), 24.0f);
    EXPECT_EQ(diagonal.invf(1, 2), 0.0f);
    // Indices wrap around instead of reading outside the matrix.
    EXPECT_EQ(m.invf(4, 1), m.invf(0, 1));
    EXPECT_EQ(m.invf(-1, 2), m.invf(3, 2));
}

}  // namespace
