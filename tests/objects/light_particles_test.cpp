// The sparks' life, motion and drawing order, and the sprites' turn toward the eye; no GL
// context is needed (without the light picture the constructor only reports it).
#include "objects/light_particles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "base/random.h"
#include "objects/billboard.h"
#include "support/test_ui.h"

namespace {

class LightParticlesTest : public ::testing::Test {
protected:
    void SetUp() override { ui = &testing_support::installScriptedUi(false); }
    platform::ScriptedUi* ui = nullptr;
    Random random;  // a fresh sequence: 41, 18467, 6334, …
};

TEST_F(LightParticlesTest, MotionStepMovesThenDampsAndClearsTheForce) {
    LightParticles sparks(1, random);
    Particle& p = sparks.particles[0];
    p.position.set(1, 2, 3);
    p.velocity.set(1, 1, 1);
    p.force.clear();
    sparks.moveStep();
    EXPECT_NEAR(p.position.x, 1.1, 1e-6);
    EXPECT_NEAR(p.position.y, 2.1, 1e-6);
    EXPECT_NEAR(p.position.z, 3.1, 1e-6);
    EXPECT_NEAR(p.velocity.x, 0.95, 1e-6);
    EXPECT_NEAR(p.velocity.y, 0.99, 1e-6);
    EXPECT_NEAR(p.velocity.z, 0.95, 1e-6);

    p.force.set(0, -2, 0);
    p.mass = 2;
    p.velocity.clear();
    sparks.moveStep();
    EXPECT_NEAR(p.velocity.y, -0.1 * 0.99, 1e-6) << "force / mass · step, then damping";
    EXPECT_EQ(p.force, Vector3(0, 0, 0));
}

TEST_F(LightParticlesTest, DrawsFromItsOwnersSequenceInItsOrder) {
    LightParticles sparks(1, random);
    // 41 → speed 0.41; 18467, 6334, 26500 → angles 107 (z), 214 (y), 220 (x); 19169 → life 69;
    // 15724 → size variation 0.24 · 0.1.
    const Vector3 expected = Vector3(1, 0, 0).rotate(220, 214, 107) * 0.41;
    const Particle& p = sparks.particles[0];
    EXPECT_NEAR(p.velocity.x, expected.x, 1e-6);
    EXPECT_NEAR(p.velocity.y, expected.y, 1e-6);
    EXPECT_NEAR(p.velocity.z, expected.z, 1e-6);
    EXPECT_EQ(sparks.life[0], 69);
    EXPECT_EQ(sparks.maxLife[0], 69);
    EXPECT_NEAR(sparks.sizeVariation[0], 0.024f, 1e-6);
    ASSERT_EQ(ui->messages.size(), 1u) << "the missing light picture is reported";
    LightParticles more(3, random);
    EXPECT_EQ(ui->messages.size(), 1u) << "and only once";
}

TEST_F(LightParticlesTest, ARebornSparkFadesOverItsLifeThenIsBornAgain) {
    LightParticles sparks(1, random);
    sparks.setEmitter(Vector3(5, 6, 7));
    sparks.life[0] = sparks.maxLife[0] = 0;
    sparks.advance();  // born: life = maxLife = 100, then one step of age
    EXPECT_NEAR(sparks.particles[0].position.x, 5, 0.3) << "born at the emitter";
    std::vector<float> opacities;
    while (sparks.alive(0) && opacities.size() < 200) {
        opacities.push_back(sparks.opacity(0));
        sparks.advance();
    }
    ASSERT_EQ(opacities.size(), 99u);
    EXPECT_NEAR(opacities.front(), 0.99f, 1e-6);
    EXPECT_NEAR(opacities[49], 0.50f, 1e-6);
    EXPECT_NEAR(opacities.back(), 0.01f, 1e-6);
    sparks.advance();
    EXPECT_TRUE(sparks.alive(0)) << "reborn in the step after its death";
    EXPECT_EQ(sparks.maxLife[0], LightParticles::kLifeSpan);
}

TEST_F(LightParticlesTest, WithoutRespawnEverySparkIsGoneWithinOneLifeSpanAndStaysGone) {
    LightParticles burst(700, random);
    burst.setRespawn(false);
    burst.reset();
    for (int i = 0; i < LightParticles::kLifeSpan; ++i) {
        burst.advance();
    }
    for (int k = 0; k < 50; ++k) {
        for (size_t i = 0; i < burst.count(); ++i) {
            ASSERT_FALSE(burst.alive(i)) << "spark " << i << " after " << k << " more steps";
        }
        burst.advance();
    }
    burst.setEmitter(Vector3(1, 1, 1));
    burst.reset();
    size_t living = 0;
    for (size_t i = 0; i < burst.count(); ++i) {
        living += burst.alive(i) ? 1 : 0;
        ASSERT_EQ(burst.particles[i].position, Vector3(1, 1, 1));
        ASSERT_LE(burst.particles[i].velocity.length(), 1.0 + 1e-6);
    }
    EXPECT_GT(living, 680u) << "a reset throws (nearly) all of them out again";
}

// The sprite's plane faces the eye, keeps its size, and stays finite for an eye straight
// above, straight below, or on the spark itself.
TEST(Billboard, FacesTheEyeFromEveryDirectionAndStaysFinite) {
    const Vector3 spark(1, 2, 3);
    const Vector3 eyes[] = {{1, 2, 13},  {11, 2, 3}, {-9, 2, 3}, {1, 2, -7},       {4, 9, -2},
                            {-3, -5, 8}, {1, 12, 3}, {1, -8, 3}, {1.0001f, 12, 3}, {1, 2, 3}};
    for (const Vector3& eye : eyes) {
        const Billboard b = Billboard::facing(eye, spark, 0.5f);
        for (const Vector3& c : b.corners) {
            ASSERT_TRUE(std::isfinite(c.x) && std::isfinite(c.y) && std::isfinite(c.z))
                << "eye " << eye.x << " " << eye.y << " " << eye.z;
        }
        const Vector3 across = b.corners[1] - b.corners[0];
        const Vector3 upward = b.corners[3] - b.corners[0];
        EXPECT_NEAR(across.length(), 1.0, 1e-3);
        EXPECT_NEAR(upward.length(), 1.0, 1e-3);
        if (eye == spark) {
            continue;
        }
        const Vector3 normal = across.cross(upward).normalised();
        const Vector3 toEye = (eye - spark).normalised();
        EXPECT_GT(normal.dot(toEye), 0.999)
            << "eye " << eye.x << " " << eye.y << " " << eye.z << ": the front faces it";
    }
}

}  // namespace
