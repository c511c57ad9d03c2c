// Assertion helpers for matrices and vectors: element-wise comparison within a tolerance,
// with a failure message that prints both matrices in rows.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "math/Matrix4x4.h"
#include "math/Vector3.h"
#include "math/Vector4.h"

inline std::string matrixText(const float* m) {
    std::string text;
    char line[160];
    for (int row = 0; row < 4; row++) {
        snprintf(line, sizeof line, "  [%12.6g %12.6g %12.6g %12.6g]\n", m[row], m[4 + row], m[8 + row],
                 m[12 + row]);
        text += line;
    }
    return text;
}

// `expected` is column-major like Matrix4x4::m.
inline testing::AssertionResult matrixNear(const Matrix4x4& actual, const float* expected, float tolerance) {
    for (int k = 0; k < 16; k++) {
        if (!(std::fabs(actual.m[k] - expected[k]) <= tolerance)) {
            return testing::AssertionFailure() << "element " << k << " is " << actual.m[k] << ", expected "
                                               << expected[k] << " (tolerance " << tolerance << ")\nactual:\n"
                                               << matrixText(actual.m) << "expected:\n"
                                               << matrixText(expected);
        }
    }
    return testing::AssertionSuccess();
}

inline testing::AssertionResult matrixNear(const Matrix4x4& actual, const Matrix4x4& expected,
                                           float tolerance) {
    return matrixNear(actual, expected.m, tolerance);
}

inline testing::AssertionResult vectorNear(const Vector3& actual, const Vector3& expected, float tolerance) {
    if (std::fabs(actual.x - expected.x) <= tolerance && std::fabs(actual.y - expected.y) <= tolerance &&
        std::fabs(actual.z - expected.z) <= tolerance) {
        return testing::AssertionSuccess();
    }
    return testing::AssertionFailure()
           << "(" << actual.x << ", " << actual.y << ", " << actual.z << ") is not within " << tolerance
           << " of (" << expected.x << ", " << expected.y << ", " << expected.z << ")";
}

inline testing::AssertionResult vectorNear(const Vector4& actual, const Vector4& expected, float tolerance) {
    if (std::fabs(actual.x - expected.x) <= tolerance && std::fabs(actual.y - expected.y) <= tolerance &&
        std::fabs(actual.z - expected.z) <= tolerance && std::fabs(actual.w - expected.w) <= tolerance) {
        return testing::AssertionSuccess();
    }
    return testing::AssertionFailure()
           << "(" << actual.x << ", " << actual.y << ", " << actual.z << ", " << actual.w
           << ") is not within " << tolerance << " of (" << expected.x << ", " << expected.y << ", "
           << expected.z << ", " << expected.w << ")";
}
