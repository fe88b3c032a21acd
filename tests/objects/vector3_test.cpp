#include "objects/vector3.h"

#include <gtest/gtest.h>

#include <cmath>

#include "objects/vector3_print.h"

namespace {

TEST(Vector3, RotationUsesFloatPiAndTheShowsSignForTheYAxis) {
    Vector3 aboutZ = Vector3(1, 0, 0).rotate(0, 0, 90);
    EXPECT_NEAR(aboutZ.x, 0.000796, 1e-6);
    EXPECT_NEAR(aboutZ.y, 1.0, 1e-6);
    EXPECT_EQ(aboutZ.z, 0.0f);

    // A positive angle about y turns +x towards +z (not right-handed).
    Vector3 aboutY = Vector3(1, 0, 0).rotate(0, 90, 0);
    EXPECT_NEAR(aboutY.x, 0.000796, 1e-6);
    EXPECT_EQ(aboutY.y, 0.0f);
    EXPECT_NEAR(aboutY.z, 1.0, 1e-6);

    // About x is right-handed: +y turns towards +z.
    Vector3 aboutX = Vector3(0, 1, 0).rotate(90, 0, 0);
    EXPECT_EQ(aboutX.x, 0.0f);
    EXPECT_NEAR(aboutX.y, 0.000796, 1e-6);
    EXPECT_NEAR(aboutX.z, 1.0, 1e-6);

    // 180 degrees is 3.14f widened, which differs from the double 3.14 in float.
    Vector3 half = Vector3(1, 0, 0).rotate(0, 0, 180);
    EXPECT_EQ(half.y, static_cast<float>(std::sin(3.140000104904175)));
    EXPECT_NE(half.y, static_cast<float>(std::sin(3.14)));

    // The z rotation turns the y left by the x rotation: (0, 1, 0) by 90 about x and z.
    Vector3 chained = Vector3(0, 1, 0).rotate(90, 0, 90);
    EXPECT_NEAR(chained.x, -0.000796, 1e-6);
    EXPECT_NEAR(chained.y, 0.0, 1e-6);
    EXPECT_NEAR(chained.z, 1.0, 1e-6);
}

TEST(Vector3, NormalisedEqualityAndProducts) {
    Vector3 n = Vector3(3, 0, 4).normalised();
    EXPECT_EQ(n, Vector3(0.6, 0, 0.8));
    Vector3 zero = Vector3(0, 0, 0).normalised();
    EXPECT_TRUE(std::isnan(zero.x) && std::isnan(zero.y) && std::isnan(zero.z));

    EXPECT_TRUE(Vector3(0.1, 0.2, 0.3) == Vector3(0.1, 0.2, 0.3));
    EXPECT_FALSE(Vector3(0.1, 0.2, 0.3) == Vector3(0.1, 0.2, 0.3000001));

    EXPECT_EQ(Vector3(1, 0, 0).cross(Vector3(0, 1, 0)), Vector3(0, 0, 1));
    EXPECT_EQ(Vector3(0, 1, 0).cross(Vector3(1, 0, 0)), Vector3(0, 0, -1));
    EXPECT_DOUBLE_EQ(Vector3(1, 2, 3).dot(Vector3(4, -5, 6)), 12.0);
    EXPECT_EQ(Vector3(1, 2, 3).componentProduct(Vector3(2, 3, 4)), Vector3(2, 6, 12));
    EXPECT_DOUBLE_EQ(Vector3(2, 3, 6).length(), 7.0);
}

TEST(Vector3, InPlaceFormsChangeTheReceiverAndReturnItsNewValue) {
    Vector3 v(1, 2, 3);
    Vector3 r = (v += Vector3(1, 1, 1));
    EXPECT_EQ(v, Vector3(2, 3, 4));
    EXPECT_EQ(r, v);
    EXPECT_EQ(v *= 0.5, Vector3(1, 1.5, 2));
    EXPECT_EQ(v.addScalar(1), Vector3(2, 2.5, 3));
    EXPECT_EQ(v.subtractScalar(2), Vector3(0, 0.5, 1));
    EXPECT_EQ(v /= 0.5, Vector3(0, 1, 2));
    v.clear();
    EXPECT_EQ(v, Vector3(0, 0, 0));
    EXPECT_TRUE(std::isinf((Vector3(1, 0, 0) / 0.0).x));
}

TEST(Vector3, TransformsByAColumnMajorMatrix) {
    float m[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 10, 20, 30, 1};
    EXPECT_EQ(Vector3(1, 2, 3).transformPoint(m), Vector3(11, 22, 33));
    EXPECT_EQ(Vector3(1, 2, 3).transformDirection(m), Vector3(1, 2, 3));
    // A quarter turn about z in column-major layout: x goes to +y.
    float turn[16] = {0, 1, 0, 0, -1, 0, 0, 0, 0, 0, 1, 0, 5, 0, 0, 1};
    EXPECT_EQ(Vector3(1, 0, 0).transformDirection(turn), Vector3(0, 1, 0));
    EXPECT_EQ(Vector3(1, 0, 0).transformPoint(turn), Vector3(5, 1, 0));
}

}  // namespace
