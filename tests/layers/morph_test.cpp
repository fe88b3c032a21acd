#include "layers/morph.h"

#include <gtest/gtest.h>

namespace {

Face faceWith(Vector3 position, Vector3 normal, float s, float t) {
    Face face;
    const Vector3 corners[3] = {position, position + Vector3(1, 0, 0), position};
    const Vector3 normals[3] = {normal, normal, normal};
    const Vector3 coords[3] = {Vector3(s, t, 0), Vector3(s, t, 0), Vector3(s, t, 0)};
    face.setPositions(corners);
    face.setNormals(normals);
    face.setTexCoords(coords);
    return face;
}

TEST(Morph, BlendsEveryCornerComponentWithoutRenormalising) {
    const Face start = faceWith(Vector3(0, 2, -4), Vector3(1, 0, 0), 0, 1);
    const Face end = faceWith(Vector3(10, 4, 4), Vector3(0, 1, 0), 1, 0);

    const MorphCorner mid = Morph::blendCorner(start, end, 0, 0.5f);
    EXPECT_EQ(mid.position.x, 5.0f);
    EXPECT_EQ(mid.position.y, 3.0f);
    EXPECT_EQ(mid.position.z, 0.0f);
    EXPECT_EQ(mid.normal.x, 0.5f);
    EXPECT_EQ(mid.normal.y, 0.5f) << "normals are blended, not renormalised";
    EXPECT_EQ(mid.s, 0.5f);
    EXPECT_EQ(mid.t, 0.5f);
    EXPECT_EQ(Morph::blendCorner(start, end, 1, 0.5f).position.x, 6.0f);

    EXPECT_TRUE(Morph::blendCorner(start, end, 0, 0.0f).position == start.vertices[0]);
    EXPECT_TRUE(Morph::blendCorner(start, end, 0, 1.0f).position == end.vertices[0]);
    EXPECT_EQ(Morph::blendCorner(start, end, 0, 2.0f).position.x, 20.0f) << "extrapolates";
}

TEST(Morph, BlendsInSinglePrecision) {
    const Face start = faceWith(Vector3(0.1, 0, 0), Vector3(0, 0, 1), 0, 0);
    const Face end = faceWith(Vector3(0.7, 0, 0), Vector3(0, 0, 1), 0, 0);
    const float amount = 0.3f;
    const float expected = 0.1f + (0.7f - 0.1f) * amount;
    EXPECT_EQ(Morph::blendCorner(start, end, 0, amount).position.x, expected);
}

}  // namespace
