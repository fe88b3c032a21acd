#include "layers/copy2texture.h"

#include <gtest/gtest.h>

#include "base/keys.h"
#include "layers/test_textures.h"
#include "render/world.h"
#include "shell/extensions.h"
#include "support/gl_context.h"
#include "support/gl_state.h"

namespace {

using testing_support::fillRect;
using testing_support::GlState;
using testing_support::readPixel;

class Copy2TextureGl : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        setExtensionSources({});
        loadExtensions();
        overlay = new Copy2Texture();
    }
    void SetUp() override { testing_support::resetFrame(); }
    void TearDown() override { testing_support::resetFrame(); }

    static Copy2Texture* overlay;
};

Copy2Texture* Copy2TextureGl::overlay = nullptr;

TEST_F(Copy2TextureGl, CaptureComesBackOverTheWholeWindow) {
    EXPECT_NE(overlay->texture, 0u);
    EXPECT_EQ(overlay->size, 512);
    const GlState before = GlState::capture();

    // Left half of the corner red, right half green; an odd viewport of the caller's comes
    // back after the capture.
    glViewport(10, 20, 300, 200);
    {
        Copy2Texture::CaptureScope capture(*overlay, kDesignPicture);
        fillRect(-1, -1, 0, 1, 1, 0, 0);
        fillRect(0, -1, 1, 1, 0, 1, 0);
    }
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[0], 10);
    EXPECT_EQ(viewport[3], 200);
    glViewport(0, 0, 800, 600);
    const GlState afterCapture = GlState::capture();
    EXPECT_EQ(before, afterCapture) << before.differences(afterCapture);
    EXPECT_EQ(readPixel(100, 100).r, 0);  // the corner was cleared

    overlay->drawFullScreen(0, 1, 1);
    const auto left = readPixel(100, 300);
    const auto right = readPixel(700, 300);
    EXPECT_EQ(left.r, 255);
    EXPECT_EQ(left.g, 0);
    EXPECT_EQ(right.g, 255);
    EXPECT_EQ(right.r, 0);
    const GlState afterDraw = GlState::capture();
    EXPECT_EQ(before, afterDraw) << before.differences(afterDraw);

    // Through the inverted environment the same capture comes back in complementary colours.
    glPushAttrib(GL_TEXTURE_BIT);
    World::setInvertTexEnv();
    overlay->drawFullScreen(0, 1, 1);
    World::setNormalTexEnv();
    glPopAttrib();
    const auto cyan = readPixel(100, 300);
    const auto magenta = readPixel(700, 300);
    EXPECT_EQ(cyan.r, 0);
    EXPECT_EQ(cyan.g, 255);
    EXPECT_EQ(cyan.b, 255);
    EXPECT_EQ(magenta.r, 255);
    EXPECT_EQ(magenta.g, 0);
    EXPECT_EQ(magenta.b, 255);
}

TEST_F(Copy2TextureGl, TheTopOfTheCaptureIsStretchedOutOfTheWindow) {
    // Capture rows 0–255 red, 256–489 blue, 490–511 green.
    {
        Copy2Texture::CaptureScope capture(*overlay, kDesignPicture);
        fillRect(-1, -1, 1, 0, 1, 0, 0);
        fillRect(-1, 0, 1, 490.0f / 256 - 1, 0, 0, 1);
        fillRect(-1, 490.0f / 256 - 1, 1, 1, 0, 1, 0);
    }
    overlay->drawFullScreen(0, 1, 1);

    // The window's top row shows capture row 512 × 2 / 2.15 ≈ 476: no green anywhere.
    for (int y = 560; y < 600; ++y) {
        const auto p = readPixel(400, y);
        ASSERT_EQ(p.g, 0) << "row " << y;
        ASSERT_EQ(p.b, 255) << "row " << y;
    }
    // Capture row 256 (t 0.5) lands at y = −1 + 2.15 × 0.5, window row 322, not at 300.
    EXPECT_EQ(readPixel(400, 310).r, 255);
    EXPECT_EQ(readPixel(400, 335).b, 255);
    // Row 0 itself mixes with the top of the capture (the texture repeats).
    EXPECT_EQ(readPixel(400, 3).r, 255);
}

TEST_F(Copy2TextureGl, BrightnessAlphaAndOffset) {
    {
        Copy2Texture::CaptureScope capture(*overlay, kDesignPicture);
        fillRect(-1, -1, 1, 1, 0, 0, 0);
        fillRect(-0.5f, -0.5f, 0.5f, 0.5f, 1, 1, 1);  // a white square in the middle half
    }

    overlay->drawFullScreen(0, 0.5f, 1);
    EXPECT_NEAR(readPixel(400, 280).r, 128, 2);
    EXPECT_EQ(readPixel(50, 280).r, 0);

    // An offset of 0.25 crops the black border away: the white fills the window.
    testing_support::resetFrame();
    overlay->drawFullScreen(0.25f, 1, 1);
    EXPECT_EQ(readPixel(5, 5).r, 255);
    EXPECT_EQ(readPixel(795, 5).r, 255);
    EXPECT_EQ(readPixel(5, 540).r, 255);

    testing_support::resetFrame();
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    overlay->drawFullScreen(0, 1, 0.25f);
    glDisable(GL_BLEND);
    EXPECT_NEAR(readPixel(400, 280).r, 64, 2);
}

}  // namespace
