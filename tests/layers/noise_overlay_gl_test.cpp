#include "layers/noise_overlay.h"

#include <gtest/gtest.h>

#include <vector>

#include "base/keys.h"
#include "base/random.h"
#include "layers/test_textures.h"
#include "render/world.h"
#include "support/gl_context.h"
#include "support/gl_state.h"

namespace {

using testing_support::GlState;
using testing_support::makeSolidTexture;
using testing_support::readPixel;

class NoiseOverlayGl : public ::testing::Test {
protected:
    void SetUp() override {
        testing_support::resetFrame();
        black = makeSolidTexture(0, 0, 0);
        white = makeSolidTexture(255, 255, 255);
    }
    void TearDown() override {
        glDeleteTextures(1, &black);
        glDeleteTextures(1, &white);
        testing_support::resetFrame();
    }

    // A frame of grey 0.4 to draw over.
    static void greyFrame() {
        glClearColor(0.4f, 0.4f, 0.4f, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        glClearColor(0, 0, 0, 0);
    }

    GLuint black = 0;
    GLuint white = 0;
};

TEST_F(NoiseOverlayGl, NoiseTextureChangesEverySixDrawsAlternating) {
    Random random;
    NoiseOverlay overlay(random);
    ASSERT_EQ(overlay.noiseTextures.size(), 2u);
    overlay.noiseTextures = {black, black};
    overlay.white = white;
    std::vector<int> seen;
    for (int i = 0; i < 13; ++i) {
        overlay.draw();
        seen.push_back(overlay.current);
    }
    const std::vector<int> expected = {1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 1};
    EXPECT_EQ(seen, expected);
}

TEST_F(NoiseOverlayGl, WhitePassBrightensByHalfAndLeavesNoState) {
    Random random;
    NoiseOverlay overlay(random);
    overlay.noiseTextures = {black, black};
    overlay.white = white;
    greyFrame();
    const GlState before = GlState::capture();
    overlay.draw();
    const GlState after = GlState::capture();
    EXPECT_EQ(before, after) << before.differences(after);
    // Black noise leaves the frame alone; the white pass gives 0.4 × (1 + 0.5).
    EXPECT_NEAR(readPixel(400, 300).r, 0.6 * 255, 3);
    EXPECT_NEAR(readPixel(3, 597).g, 0.6 * 255, 3);
}

TEST_F(NoiseOverlayGl, NoisePassMixesNoiseAndFrame) {
    Random random;
    NoiseOverlay overlay(random);
    overlay.noiseTextures = {white, white};
    overlay.white = black;  // a black white-pass adds nothing: d × alpha
    greyFrame();
    overlay.draw();
    // s = 1 × 0.2: s × s + d × (1 − s) = 0.04 + 0.32.
    EXPECT_NEAR(readPixel(400, 300).r, 0.36 * 255, 3);
}

}  // namespace
