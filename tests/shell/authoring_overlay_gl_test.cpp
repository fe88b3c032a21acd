#include "shell/authoring_overlay.h"

#include <gtest/gtest.h>

#include "base/beat_position.h"
#include "base/keys.h"
#include "support/gl_context.h"
#include "support/gl_state.h"
#include "text/text.h"

namespace {

using testing_support::GlState;
using testing_support::readPixel;

// The middle of the beat square, window coordinates.
constexpr int kCornerX = 772;
constexpr int kCornerY = 576;

// The brightest pixel of the strip the line is written in.
int brightestInLine() {
    int brightest = 0;
    for (int x = 4; x < 400; x += 1) {
        for (int y = 580; y < 598; y += 2) {
            brightest = std::max(brightest, readPixel(x, y).g);
        }
    }
    return brightest;
}

TEST(AuthoringOverlay, FlashesTheCornerOnEachBeatWritesItsLineAndLeavesNoStateBehind) {
    static Text font;
    AuthoringOverlay overlay("title");
    testing_support::resetFrame();
    const OverlayFrame onABeat{.showTime = BeatPosition::beatStart(45)};
    overlay.draw(nullptr, &font, onABeat);
    EXPECT_EQ(readPixel(kCornerX, kCornerY).r, 0) << "hidden, it draws nothing";

    overlay.toggle(nullptr);
    ASSERT_TRUE(overlay.visible());
    const GlState before = GlState::capture();
    overlay.draw(nullptr, &font, onABeat);
    const GlState after = GlState::capture();
    EXPECT_TRUE(before == after) << before.differences(after);
    auto corner = readPixel(kCornerX, kCornerY);
    EXPECT_GT(corner.r, 240);
    EXPECT_EQ(corner.b, corner.r) << "white on a beat within the bar";
    EXPECT_GT(brightestInLine(), 100) << "the line is written in the top left corner";

    testing_support::resetFrame();
    // The first beat of bar 11.
    overlay.draw(nullptr, &font, {.showTime = BeatPosition::beatStart(44)});
    corner = readPixel(kCornerX, kCornerY);
    EXPECT_GT(corner.r, 240);
    EXPECT_LT(corner.b, 60) << "warm on the first beat of a bar";

    testing_support::resetFrame();
    overlay.draw(nullptr, &font, {.showTime = BeatPosition::beatStart(44) + 0.2});
    EXPECT_EQ(readPixel(kCornerX, kCornerY).r, 0) << "dark between beats";

    // The bar the schedule and its chart give the same moment: counted from 1.
    EXPECT_NE(AuthoringOverlay::line("Fps: 60", 30.78).find("Beat 64 Bar 17:1"), std::string::npos)
        << AuthoringOverlay::line("Fps: 60", 30.78);
}

}  // namespace
