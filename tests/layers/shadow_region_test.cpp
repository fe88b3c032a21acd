#include "layers/shadow_region.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct Box {
    Vector3 lowest, highest;
    bool contains(const Vector3& p) const {
        return lowest.x <= p.x && p.x <= highest.x && lowest.y <= p.y && p.y <= highest.y &&
               lowest.z <= p.z && p.z <= highest.z;
    }
};

// Is p in the caster's shadow cone: within the cone from the light around the sphere, and
// no nearer the light than the sphere's nearest point?
bool inCone(const BoundingSphere& caster, const Vector3& light, const Vector3& p) {
    const Vector3 toCaster = caster.centre - light;
    const Vector3 toPoint = p - light;
    const double d = toCaster.length();
    const double cosine = toCaster.dot(toPoint) / (d * toPoint.length());
    return toPoint.length() >= d - caster.radius &&
           std::acos(std::min(1.0, cosine)) <= std::asin(caster.radius / d);
}

// Narrowing the receiver's box to the shadowed part must never leave out a point that can be
// in the shadow: every sampled shadowed point of the box lies inside what is returned.
TEST(ShadowRegion, TheShadowedPartHoldsEveryShadowedPointOfTheBox) {
    const Box receiver{{-1.6f, -1.6f, 0}, {1.6f, 1.6f, 7.4f}};
    const Vector3 lights[] = {{0, -3.4f, 0.8f}, {3, 1, 5}, {-2.9f, 0.5f, 8}, {0.5f, 3.2f, 2}};
    const BoundingSphere casters[] = {
        {{0, -2, 3}, 1.2}, {{2, 0.3f, 4}, 0.9}, {{-2, 0, 7}, 1.5}, {{0, 2, 1}, 0.6}};
    unsigned state = 1;
    auto next = [&state] {
        state = state * 1103515245u + 12345u;
        return static_cast<float>((state >> 8) & 0xFFFF) / 65535.0f;
    };
    int shadowed = 0, narrowed = 0;
    for (const Vector3& light : lights) {
        for (const BoundingSphere& caster : casters) {
            Box part = receiver;
            const bool any = ShadowRegion::shadowedPart(caster, light, part.lowest, part.highest);
            narrowed +=
                any && !(part.lowest == receiver.lowest && part.highest == receiver.highest);
            for (int i = 0; i < 4000; ++i) {
                const Vector3 p(receiver.lowest.x + next() * 3.2f,
                                receiver.lowest.y + next() * 3.2f, next() * 7.4f);
                if (!inCone(caster, light, p)) {
                    continue;
                }
                ++shadowed;
                ASSERT_TRUE(any) << "a shadowed point was declared unreachable";
                ASSERT_TRUE(part.contains(p)) << "shadowed point left out of the part";
            }
        }
    }
    EXPECT_GT(shadowed, 1000);
    EXPECT_GT(narrowed, 4) << "the part is usually smaller than the box";
}

TEST(ShadowRegion, NothingToFillWhenTheShadowMissesTheReceiver) {
    const Vector3 light(0, 0, 0);
    const BoundingSphere caster{{10, 0, 0}, 1};
    auto reaches = [&](Vector3 lowest, Vector3 highest) {
        return ShadowRegion::shadowedPart(caster, light, lowest, highest);
    };
    EXPECT_TRUE(reaches({28, -1, -1}, {32, 1, 1})) << "straight behind";
    EXPECT_FALSE(reaches({28, 6, -1}, {32, 8, 1})) << "beside the shadow";
    EXPECT_FALSE(reaches({-14, -2, -2}, {-6, 2, 2})) << "behind the light";
    EXPECT_FALSE(reaches({3, -1, -1}, {5, 1, 1})) << "between the light and the caster";
    Vector3 lowest(-14, -2, -2), highest(-6, 2, 2);
    EXPECT_TRUE(ShadowRegion::shadowedPart(caster, Vector3(10, 0.5f, 0), lowest, highest))
        << "a light inside the caster's sphere reaches everything";
    EXPECT_EQ(lowest, Vector3(-14, -2, -2));
    const BoundingSphere box = BoundingSphere::aroundBox(Vector3(-1, -2, -2), Vector3(1, 2, 2));
    EXPECT_EQ(box.centre, Vector3(0, 0, 0));
    EXPECT_DOUBLE_EQ(box.radius, 3.0);
}

}  // namespace
