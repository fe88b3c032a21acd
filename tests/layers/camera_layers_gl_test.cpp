#include <GL/glu.h>
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "base/keys.h"
#include "camera/camera.h"
#include "layers/camera_cut.h"
#include "layers/frame_anim.h"
#include "support/gl_context.h"
#include "support/gl_state.h"

using testing_support::GlState;
using testing_support::readPixel;

namespace {

// Every frame is one 2 × 2 texture: red, green on the first row; blue, white below.
class QuadrantFrames : public FrameAnim {
public:
    bool loadFrame(const char*, GLuint* slot) override {
        const unsigned char texels[] = {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255};
        glGenTextures(1, slot);
        glBindTexture(GL_TEXTURE_2D, *slot);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 2, 2, 0, GL_RGB, GL_UNSIGNED_BYTE, texels);
        glBindTexture(GL_TEXTURE_2D, 0);
        return true;
    }
};

void perspectiveFrame() {
    testing_support::resetFrame();
    glMatrixMode(GL_PROJECTION);
    gluPerspective(45.0, 800.0 / 600.0, 0.1, 100.0);
    glMatrixMode(GL_MODELVIEW);
}

std::string rgb(testing_support::Pixel p) {
    return std::to_string(p.r) + "," + std::to_string(p.g) + "," + std::to_string(p.b);
}

TEST(CameraLayersGl, FrameAnimDrawsUprightUnmirroredAndLeavesNoState) {
    QuadrantFrames anim;
    anim.loadFrames("q", 2);
    anim.setBlend(GL_SRC_ALPHA, GL_ONE);
    perspectiveFrame();
    GlState before = GlState::capture();
    anim.draw(Frame::at(0.5));
    GlState after = GlState::capture();
    EXPECT_TRUE(before == after) << before.differences(after);
    EXPECT_EQ(rgb(readPixel(255, 445)), "255,0,0");  // top left
    EXPECT_EQ(rgb(readPixel(545, 445)), "0,255,0");  // top right
    EXPECT_EQ(rgb(readPixel(255, 155)), "0,0,255");
    EXPECT_EQ(rgb(readPixel(545, 155)), "255,255,255");
    EXPECT_EQ(anim.currentFrame, 1);  // 0.5 s at 10 frames per second, 2 frames
}

TEST(CameraLayersGl, FrameAnimFadesByBrightnessAndMovesWithTheCameraTuning) {
    QuadrantFrames anim;
    anim.loadFrames("q", 1);
    anim.setFade(1, 1, 1);
    perspectiveFrame();
    anim.draw(Frame::at(0.5));  // colour 0.5 on white, blended by itself: 0.25
    EXPECT_NEAR(readPixel(545, 155).r, 64, 2);
    EXPECT_NEAR(readPixel(545, 155).g, 64, 2);

    anim.setFade(0, 100, 0);
    perspectiveFrame();
    anim.draw(Frame::at(0));
    EXPECT_EQ(rgb(readPixel(650, 200)), "255,255,255");
    Camera tuned;
    tuned.tuneX = -1;  // one unit further away: the square shrinks
    Frame frame = Frame::at(0);
    frame.camera = &tuned;
    perspectiveFrame();
    anim.draw(frame);
    EXPECT_EQ(rgb(readPixel(650, 200)), "0,0,0");
    EXPECT_EQ(rgb(readPixel(545, 155)), "255,255,255");
}

TEST(CameraLayersGl, NothingIsDrawnWithoutFrames) {
    FrameAnim empty;
    perspectiveFrame();
    GlState before = GlState::capture();
    empty.draw(Frame::at(1.0));
    EXPECT_TRUE(before == GlState::capture());
    EXPECT_EQ(rgb(readPixel(400, 300)), "0,0,0");
}

TEST(CameraLayersGl, CameraCutLeavesNoStateAndApplyMultipliesTheLookAt) {
    CameraCut cut;
    std::string text;
    for (int i = 0; i < 5; ++i) {
        text += std::to_string(i) + " 2 3  0 0 0  0 1 0\n";
    }
    ASSERT_TRUE(cut.getCamera()->loadPathFromBytes(text, "gl.pos"));
    cut.setMoveTime(2);
    perspectiveFrame();
    GlState before = GlState::capture();
    cut.draw(Frame::at(1));
    GlState after = GlState::capture();
    EXPECT_TRUE(before == after) << before.differences(after);

    const Camera* camera = cut.getCamera();
    std::array<float, 16> expected{}, applied{};
    glLoadIdentity();
    Vector3 e = camera->getEye();
    gluLookAt(e.x, e.y, e.z, 0, 0, 0, 0, 1, 0);
    glGetFloatv(GL_MODELVIEW_MATRIX, expected.data());
    glLoadIdentity();
    cut.getCamera()->apply(1);
    glGetFloatv(GL_MODELVIEW_MATRIX, applied.data());
    glLoadIdentity();
    EXPECT_EQ(expected, applied);
}

}  // namespace
