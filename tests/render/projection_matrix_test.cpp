#include "render/projection_matrix.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

bool allZero(const ProjectionMatrix& p) {
    for (float v : p.m) {
        if (v != 0.0f)
            return false;
    }
    return true;
}

TEST(ProjectionMatrix, InfiniteFarPerspective) {
    ProjectionMatrix p;
    p.setPerspective(45, 1.3333f, 0.001f, ProjectionMatrix::kInfiniteFar);
    EXPECT_FLOAT_EQ(p.m[11], -1.0f);
    EXPECT_FLOAT_EQ(p.m[10], -0.999f);
    EXPECT_NEAR(p.m[14], -0.001998f, 1e-8);
    EXPECT_EQ(p.m[15], 0.0f);
    // The angle goes through 3.1415 / 180, so the half angle is 22.4993°, not 22.5°.
    const double halfAngle = 22.4993 * 3.14159265358979 / 180;
    EXPECT_NEAR(p.m[5], 1 / std::tan(halfAngle), 1e-4);
    EXPECT_NEAR(p.m[0], p.m[5] / 1.3333f, 1e-4);
    EXPECT_EQ(p.m[8], 0.0f);
    EXPECT_EQ(p.m[9], 0.0f);
}

TEST(ProjectionMatrix, FiniteAsymmetricFrustumMatchesGlFrustum) {
    ProjectionMatrix p;
    p.setFrustum(-1, 3, -2, 2, 1, 3);
    EXPECT_FLOAT_EQ(p.m[0], 0.5f);    // 2n / (r − l)
    EXPECT_FLOAT_EQ(p.m[5], 0.5f);    // 2n / (t − b)
    EXPECT_FLOAT_EQ(p.m[8], 0.5f);    // (r + l) / (r − l)
    EXPECT_FLOAT_EQ(p.m[9], 0.0f);    // (t + b) / (t − b)
    EXPECT_FLOAT_EQ(p.m[10], -2.0f);  // −(f + n) / (f − n)
    EXPECT_FLOAT_EQ(p.m[14], -3.0f);  // −2fn / (f − n)
    EXPECT_FLOAT_EQ(p.m[11], -1.0f);
    EXPECT_EQ(p.m[15], 0.0f);
    EXPECT_EQ(p.m[1] + p.m[2] + p.m[3] + p.m[4] + p.m[6] + p.m[7] + p.m[12] + p.m[13], 0.0f);
}

TEST(ProjectionMatrix, CoincidingPlanesLeaveAZeroMatrix) {
    ProjectionMatrix p;
    p.setFrustum(-1, 1, -1, 1, 1, 10);
    ASSERT_FALSE(allZero(p));
    p.setFrustum(-1, 1, -1, 1, 2, 2);
    EXPECT_TRUE(allZero(p));
    p.setFrustum(1, 1, -1, 1, 1, 10);
    EXPECT_TRUE(allZero(p));
    p.setFrustum(-1, 1, 1, 1, 1, 10);
    EXPECT_TRUE(allZero(p));
    p.setPerspective(0, 1, 1, 10);  // no field of view: top equals bottom
    EXPECT_TRUE(allZero(p));
}

}  // namespace
