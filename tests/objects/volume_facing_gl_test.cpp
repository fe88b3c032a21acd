#include "objects/volume_facing.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "objects/feedback.h"
#include "support/gl_context.h"

namespace {

using testing_support::capturePolygons;

// Whether GL draws the triangle (three homogeneous points) with `culled` faces culled.
bool glDraws(const float* points, GLenum culled) {
    glEnable(GL_CULL_FACE);
    glCullFace(culled);
    const size_t drawn = capturePolygons([&] {
                             glBegin(GL_TRIANGLES);
                             for (int k = 0; k < 3; ++k) {
                                 glVertex4fv(points + 4 * k);
                             }
                             glEnd();
                         }).size();
    glDisable(GL_CULL_FACE);
    glCullFace(GL_BACK);  // the layers that cull take GL's default for granted
    return drawn > 0;
}

class VolumeFacingGl : public ::testing::Test {
protected:
    void SetUp() override {
        testing_support::resetFrame();
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glFrustum(-0.1, 0.1, -0.075, 0.075, 0.1, 100);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glRotatef(30, 0.3f, 1, 0.2f);
        glTranslatef(0.5f, -1, -6);
    }
    void TearDown() override { testing_support::resetFrame(); }

    // Triangles near and far, some behind the eye and some at infinity (w = 0), each given
    // to both of GL's culled passes: every one GL draws in a pass must be sorted to it.
    void expectSortingKeepsWhatGlDraws() {
        VolumeFacing facing;
        ASSERT_TRUE(facing.fromCurrentView());
        std::mt19937 random(7);
        std::uniform_real_distribution<float> coordinate(-8, 8);
        size_t split = 0, drawnAtAll = 0;
        for (int i = 0; i < 200; ++i) {
            float points[12];
            for (int k = 0; k < 3; ++k) {
                for (int a = 0; a < 3; ++a) {
                    points[4 * k + a] = coordinate(random);
                }
                points[4 * k + 3] = i % 4 == 0 ? 0.0f : 1.0f;
            }
            std::vector<float> front, back;
            facing.sort(points, 3, front, back);
            const bool drawnAsFront = glDraws(points, GL_BACK);
            const bool drawnAsBack = glDraws(points, GL_FRONT);
            EXPECT_TRUE(!drawnAsFront || !front.empty()) << "triangle " << i;
            EXPECT_TRUE(!drawnAsBack || !back.empty()) << "triangle " << i;
            split += front.empty() != back.empty();
            drawnAtAll += drawnAsFront || drawnAsBack;
        }
        EXPECT_GT(drawnAtAll, 100u);
        EXPECT_GT(split, 195u) << "almost every triangle goes to one pass only";
    }
};

TEST_F(VolumeFacingGl, EveryTriangleGlDrawsInAPassIsSortedToIt) {
    expectSortingKeepsWhatGlDraws();
}

TEST_F(VolumeFacingGl, AMirroringViewTurnsTheSidesRound) {
    glScalef(-1, 1, 1);
    expectSortingKeepsWhatGlDraws();
}

TEST_F(VolumeFacingGl, AnOrthographicViewSortsNothing) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-1, 1, -1, 1, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    VolumeFacing facing;
    EXPECT_FALSE(facing.fromCurrentView());
}

}  // namespace
