#include "layers/tag.h"

#include <gtest/gtest.h>

#include "layers/fade_envelope.h"
#include "shell/log_window.h"
#include "support/test_ui.h"

namespace {

TEST(FadeEnvelope, RisesHoldsFallsWithInclusiveEdges) {
    EXPECT_DOUBLE_EQ(fadeLevel(0.5, 1, 2, 1), 0.5);
    EXPECT_DOUBLE_EQ(fadeLevel(1, 1, 2, 1), 1.0);
    EXPECT_DOUBLE_EQ(fadeLevel(3, 1, 2, 1), 1.0);
    EXPECT_DOUBLE_EQ(fadeLevel(3.5, 1, 2, 1), 0.5);
    EXPECT_DOUBLE_EQ(fadeLevel(4, 1, 2, 1), 0.0);
    EXPECT_DOUBLE_EQ(fadeLevel(4.001, 1, 2, 1), 0.0);
    // No fade-in: full at once, also at 0; no fade-out: gone right after the plateau.
    EXPECT_DOUBLE_EQ(fadeLevel(0, 0, 2, 0), 1.0);
    EXPECT_DOUBLE_EQ(fadeLevel(2, 0, 2, 0), 1.0);
    EXPECT_DOUBLE_EQ(fadeLevel(2.0001, 0, 2, 0), 0.0);
}

class TagTest : public ::testing::Test {
protected:
    void SetUp() override { testing_support::installScriptedUi(); }
};

TEST_F(TagTest, DefaultsAndNullPath) {
    Tag tag(nullptr);
    EXPECT_NE(shellLog->text().find("Phlicks: No filename"), std::string::npos);
    EXPECT_FALSE(tag.loadTexture(nullptr));
    EXPECT_EQ(tag.texture, 0u);
    EXPECT_EQ(tag.z, -2.0);
    EXPECT_EQ(tag.zDrift, -1.0);
    EXPECT_EQ(tag.peak, 1.0);
    EXPECT_EQ(tag.blendSrc, GL_ONE);
    EXPECT_EQ(tag.blendDst, GL_ONE);
}

TEST_F(TagTest, FailedImageLoadStillSucceedsAndLeavesTheTextureUnset) {
    Tag tag("no/such/tag.jpg");
    EXPECT_TRUE(tag.loadTexture("no/such/tag.jpg"));
    EXPECT_EQ(tag.texture, 0u);
}

TEST_F(TagTest, AlphaPairsFadeByAlphaColourPairsByBrightness) {
    Tag tag(nullptr);
    tag.setFade(1, 2, 1);
    tag.setPeak(0.5);
    tag.setBlend(GL_SRC_ALPHA, GL_ONE);
    EXPECT_DOUBLE_EQ(tag.getDuration(), 4.0);
    const double times[] = {0.5, 1, 3, 3.5, 4};
    const float alphas[] = {0.25f, 0.5f, 0.5f, 0.25f, 0.0f};
    for (int i = 0; i < 5; ++i) {
        Tag::Color c = tag.colorAt(times[i]);
        EXPECT_FLOAT_EQ(c.a, alphas[i]) << "t " << times[i];
        EXPECT_EQ(c.r, 1.0f);
        EXPECT_EQ(c.g, 1.0f);
        EXPECT_EQ(c.b, 1.0f);
    }
    for (auto [src, dst] : {std::pair{GL_SRC_COLOR, GL_ONE},
                            {GL_SRC_COLOR, GL_ONE_MINUS_SRC_COLOR},
                            {GL_ONE_MINUS_SRC_COLOR, GL_SRC_COLOR}}) {
        tag.setBlend(src, dst);
        Tag::Color c = tag.colorAt(0.5);
        EXPECT_FLOAT_EQ(c.r, 0.25f);
        EXPECT_FLOAT_EQ(c.b, 0.25f);
        EXPECT_FLOAT_EQ(c.a, 0.5f);
    }
    tag.setBlend(GL_ONE_MINUS_SRC_COLOR, GL_ONE);  // not one of the three pairs
    EXPECT_FLOAT_EQ(tag.colorAt(0.5).a, 0.25f);
    EXPECT_EQ(tag.colorAt(0.5).r, 1.0f);
}

}  // namespace
