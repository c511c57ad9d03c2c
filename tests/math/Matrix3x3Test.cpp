#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "math/Angles.h"
#include "math/Matrix3x3.h"
#include "support/Thrown.h"

namespace {

Matrix3x3 fromArray(const float (&values)[9]) {
    Matrix3x3 r;
    for (int k = 0; k < 9; k++) r.m[k] = values[k];
    return r;
}

// a * b for column-major 3x3 arrays.
Matrix3x3 product(const Matrix3x3& a, const Matrix3x3& b) {
    Matrix3x3 r;
    for (int row = 0; row < 3; row++) {
        for (int col = 0; col < 3; col++) {
            float sum = 0;
            for (int k = 0; k < 3; k++) sum += a.m[3 * k + row] * b.m[3 * col + k];
            r.m[3 * col + row] = sum;
        }
    }
    return r;
}

void expectIdentity(const Matrix3x3& m, float tolerance) {
    for (int k = 0; k < 9; k++) EXPECT_NEAR(m.m[k], k % 4 == 0 ? 1 : 0, tolerance) << "element " << k;
}

TEST(Matrix3x3Test, ConstructionAndTranspose) {
    expectIdentity(Matrix3x3(), 0);

    Matrix4x4 source;
    for (int k = 0; k < 16; k++) source.m[k] = static_cast<float>(k);
    Matrix3x3 block(source);
    const float expected[9] = {0, 1, 2, 4, 5, 6, 8, 9, 10};
    for (int k = 0; k < 9; k++) EXPECT_EQ(block.m[k], expected[k]);

    Matrix3x3 t = block.transpose();
    const float transposed[9] = {0, 4, 8, 1, 5, 9, 2, 6, 10};
    for (int k = 0; k < 9; k++) EXPECT_EQ(t.m[k], transposed[k]);
    EXPECT_EQ(block.m[1], 1.0f) << "transpose changed the original";

    expectIdentity(block.loadIdentity(), 0);
}

TEST(Matrix3x3Test, InvertGivesTheExactInverseOfAnIntegerMatrix) {
    // Rows (1 2 3) (0 1 4) (5 6 0), determinant 1; inverse rows (-24 18 5) (20 -15 -4) (-5 4 1).
    Matrix3x3 m = fromArray({1, 0, 5, 2, 1, 6, 3, 4, 0});
    Matrix3x3 inv = m.invert();
    const float expected[9] = {-24, 20, -5, 18, -15, 4, 5, -4, 1};
    for (int k = 0; k < 9; k++) EXPECT_EQ(inv.m[k], expected[k]) << "element " << k;
    expectIdentity(product(m, inv), 0);
}

TEST(Matrix3x3Test, InvertDividesEachCofactorByTheDeterminant) {
    // Multiplying by 1/3 instead would be one unit off for 5/3 and 7/3.
    Matrix3x3 inv = fromArray({1, 0, 5, 0, 1, 7, 0, 0, 3}).invert();
    const float expected[9] = {1, 0, -5.0f / 3, 0, 1, -7.0f / 3, 0, 0, 1.0f / 3};
    for (int k = 0; k < 9; k++) EXPECT_EQ(inv.m[k], expected[k]) << "element " << k;
}

TEST(Matrix3x3Test, InvertUndoesRotationAndScale) {
    Matrix4x4 model = Matrix4x4::rotation(Vector3(1, 2, -0.5f), 63);
    model.scale(Vector3(0.5f, 3, 1.25f));
    model.setBase(Vector3(9, 9, 9));
    Matrix3x3 normal(model);
    Matrix3x3 inv = normal.invert();
    expectIdentity(product(normal, inv), 1e-5f);
    expectIdentity(product(inv, normal), 1e-5f);
}

TEST(Matrix3x3Test, InvertOfASingularMatrixThrowsZeroDeterminant) {
    const float zeros[9] = {0};
    const float equalColumns[9] = {1, 2, 3, 1, 2, 3, 0, 0, 1};
    const float flat[9] = {1, 0, 0, 0, 1, 0, 0, 0, 0};
    for (const float(*values)[9] : {&zeros, &equalColumns, &flat}) {
        Matrix3x3 m = fromArray(*values);
        EXPECT_EQ(thrownMessage([&] { m.invert(); }), "Zero determinant");
    }
}

TEST(Matrix3x3Test, InvfIsTheSignedCofactor) {
    Matrix3x3 m = fromArray({2, -1, 0.5f, 3, 4, -2, 1, 0.25f, 5});
    float det = m.m[0] * m.invf(0, 0) + m.m[1] * m.invf(0, 1) + m.m[2] * m.invf(0, 2);
    ASSERT_GT(std::fabs(det), 1);
    for (int i = 0; i < 3; i++) {
        for (int k = 0; k < 3; k++) {
            float sum = 0;
            for (int j = 0; j < 3; j++) sum += m.m[3 * i + j] * m.invf(k, j);
            EXPECT_NEAR(sum, i == k ? det : 0, 1e-4f) << "row " << i << " with cofactors of row " << k;
        }
    }
    // Elements 0, 4, 8 on the diagonal: the (0, 1) cofactor is -(m3 * m8 - m5 * m6).
    EXPECT_FLOAT_EQ(m.invf(0, 1), -(3 * 5 - (-2) * 1));
}

TEST(AnglesTest, DegreesAndRadians) {
    EXPECT_EQ(degToRad(180), static_cast<float>(3.141592653589793));
    EXPECT_EQ(degToRad(90), static_cast<float>(3.141592653589793 / 2));
    EXPECT_EQ(degToRad(0), 0.0f);
    EXPECT_FLOAT_EQ(radToDeg(static_cast<float>(3.141592653589793)), 180);
    for (float x : {-720.0f, -90.0f, 0.001f, 1.0f, 45.0f, 90.0f, 180.0f, 359.5f, 1000.0f}) {
        EXPECT_FLOAT_EQ(radToDeg(degToRad(x)), x);
    }
}

}  // namespace
