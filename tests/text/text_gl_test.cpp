#include "text/text.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "support/gl_context.h"
#include "support/gl_state.h"

namespace {

using testing_support::readPixel;

// The brightest pixel where the first line lands under an identity projection: the raster
// position (−0.55, 0.39, −1) maps to about (220, 417) of the 800 × 600 window.
int brightestInTextArea() {
    int best = 0;
    for (int y = 405; y < 440; ++y) {
        for (int x = 215; x < 330; ++x) {
            best = std::max(best, readPixel(x, y).r);
        }
    }
    return best;
}

TEST(Text, HalfTransparentAdditiveWhiteShowsGreyOverBlackAndNothingOverWhite) {
    testing_support::resetFrame();
    Text text;
    text.setPosition(0, 0);
    text.printText("HELLO");
    int grey = brightestInTextArea();
    EXPECT_GE(grey, 120);
    EXPECT_LE(grey, 135);

    glClearColor(1, 1, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    text.printText("HELLO");
    for (int y = 405; y < 440; y += 3) {
        for (int x = 215; x < 330; x += 3) {
            ASSERT_EQ(readPixel(x, y).r, 255);
        }
    }
}

TEST(Text, LeavesNoGlStateBehindAndResetsTheLineOffset) {
    testing_support::resetFrame();
    Text text;
    auto before = testing_support::GlState::capture();
    text.printText("a\nb\tc\xe9");
    auto after = testing_support::GlState::capture();
    EXPECT_TRUE(before == after) << before.differences(after);
    EXPECT_NEAR(text.lineOffset(), 0.028f, 1e-6);
    text.printText("");
    EXPECT_EQ(text.lineOffset(), 0.0f);
}

TEST(Text, SkippedLatinOneCharactersAndBlanksDrawNothing) {
    testing_support::resetFrame();
    Text text;
    text.printText("\t \xe9\xff");
    EXPECT_EQ(brightestInTextArea(), 0);
}

}  // namespace
