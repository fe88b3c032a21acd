#include "shell/fill_unit.h"

#include <gtest/gtest.h>

#include "support/gl_context.h"
#include "support/gl_state.h"

using testing_support::GlState;

// The unit every --bench figure is divided by: a real, positive time, taken without leaving
// anything behind for the show's first frame.
TEST(FillUnitGl, MeasuresAPositiveTimeAndLeavesTheStateAndAClearedWindow) {
    testing_support::resetFrame();
    glViewport(0, 0, 800, 600);
    glColor4f(0.25f, 0.5f, 0.75f, 1);
    glClearColor(0, 0, 0, 0);
    const GlState before = GlState::capture();

    const FillUnit::Result fill = FillUnit::measure(800, 600, 20);

    EXPECT_GT(fill.milliseconds, 0.0);
    EXPECT_EQ(fill.passes, 20);
    const GlState after = GlState::capture();
    EXPECT_TRUE(before == after) << before.differences(after);
    const auto pixel = testing_support::readPixel(400, 300);
    EXPECT_EQ(pixel.r + pixel.g + pixel.b, 0) << "the measuring passes stay on the screen";
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    EXPECT_EQ(FillUnit::measure(0, 600).passes, 0);
}
