#include <gtest/gtest.h>

#include "support/gl_context.h"

TEST(Window, PixelFormatHasAlphaDepthAndStencil) {
    GLint alpha = 0, depth = 0, stencil = 0;
    glGetIntegerv(GL_ALPHA_BITS, &alpha);
    glGetIntegerv(GL_DEPTH_BITS, &depth);
    glGetIntegerv(GL_STENCIL_BITS, &stencil);
    EXPECT_EQ(alpha, 8);
    EXPECT_GE(depth, 16);
    EXPECT_EQ(stencil, 8);
}

TEST(Window, ClearedFrameReadsBack) {
    testing_support::resetFrame();
    glClearColor(1, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    auto p = testing_support::readPixel(400, 300);
    EXPECT_EQ(p.r, 255);
    EXPECT_EQ(p.g, 0);
}
