#include "layers/loading_screen.h"

#include <GL/glu.h>
#include <gtest/gtest.h>

#include <vector>

#include "base/keys.h"
#include "layers/test_textures.h"
#include "render/world.h"
#include "support/gl_context.h"
#include "support/gl_state.h"

namespace {

using testing_support::GlState;
using testing_support::makeSolidTexture;
using testing_support::Pixel;
using testing_support::readPixel;

TEST(LoadingScreenGl, FourStepsShowTheThreePicturesInTurnOverTheWholeWindow) {
    testing_support::resetFrame();
    std::vector<Pixel> shown;
    std::vector<Pixel> corners;
    LoadingScreen screen([&] {
        shown.push_back(readPixel(400, 300));
        corners.push_back(readPixel(0, 599));
        corners.push_back(readPixel(799, 0));
    });
    screen.pictures[0] = makeSolidTexture(255, 0, 0);
    screen.pictures[1] = makeSolidTexture(0, 255, 0);
    screen.pictures[2] = makeSolidTexture(0, 0, 255);

    // Whatever projection and camera are current, the picture covers the window.
    glMatrixMode(GL_PROJECTION);
    gluPerspective(45, 1, 0.01, 3000);
    glMatrixMode(GL_MODELVIEW);
    glTranslatef(5, 3, -200);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_LIGHTING);
    const GlState before = GlState::capture();
    for (int i = 0; i < 4; ++i) {
        screen.advance();
    }
    const GlState after = GlState::capture();
    EXPECT_EQ(before, after) << before.differences(after);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);

    ASSERT_EQ(shown.size(), 4u);
    EXPECT_EQ(shown[0].r, 255);
    EXPECT_EQ(shown[1].g, 255);
    EXPECT_EQ(shown[2].b, 255);
    EXPECT_EQ(shown[3].r, 255);
    EXPECT_EQ(shown[3].g, 0);
    for (const Pixel& corner : corners) {
        EXPECT_EQ(corner.r + corner.g + corner.b, 255);
    }
    EXPECT_EQ(screen.index, 1);

    glDeleteTextures(3, screen.pictures);
    testing_support::resetFrame();
}

}  // namespace
