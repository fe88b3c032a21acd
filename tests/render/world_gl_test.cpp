#include "render/world.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "base/keys.h"
#include "shell/log_window.h"
#include "show/light.h"
#include "show/show_clock.h"
#include "support/gl_context.h"
#include "support/gl_state.h"

namespace {

using testing_support::GlState;
using testing_support::readPixel;

class WorldGl : public ::testing::Test {
protected:
    void SetUp() override { testing_support::resetFrame(); }
    void TearDown() override { testing_support::resetFrame(); }

    World world;
};

std::array<GLfloat, 16> matrix(GLenum which) {
    std::array<GLfloat, 16> m{};
    glGetFloatv(which, m.data());
    return m;
}

GLuint makeTexture(int width, int height, const unsigned char* rgba) {
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glBindTexture(GL_TEXTURE_2D, 0);
    return name;
}

void expectVector(GLenum light, GLenum parameter, std::array<float, 4> expected) {
    GLfloat v[4] = {};
    glGetLightfv(light, parameter, v);
    for (int i = 0; i < 4; ++i)
        EXPECT_NEAR(v[i], expected[i], 1e-4) << "component " << i;
}

void expectMaterial(GLenum face, GLenum parameter, std::array<float, 4> expected) {
    GLfloat v[4] = {};
    glGetMaterialfv(face, parameter, v);
    for (int i = 0; i < 4; ++i)
        EXPECT_NEAR(v[i], expected[i], 1e-4) << "component " << i;
}

TEST_F(WorldGl, ConstructionAnnouncesItselfAndPlacesTheLight) {
    Log* saved = logWindow;
    LogWindow log(true);
    logWindow = &log;
    World fresh;
    EXPECT_NE(log.text().find("World Object"), std::string::npos);
    logWindow = saved;
    EXPECT_FLOAT_EQ(fresh.lightPosition[0], 50);
    EXPECT_FLOAT_EQ(fresh.lightPosition[2], 100);
    EXPECT_FALSE(fresh.showFps);
}

TEST_F(WorldGl, InitViewSetsASquareAspectPerspective) {
    glClearColor(1, 1, 1, 1);
    world.initView({80, 40, 800, 600});
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[0], 80);
    EXPECT_EQ(viewport[1], 40);
    EXPECT_EQ(viewport[2], 800);
    EXPECT_EQ(viewport[3], 600);
    const auto p = matrix(GL_PROJECTION_MATRIX);
    // The integer quotient 800 / 600 = 1: equal x and y scales.
    EXPECT_FLOAT_EQ(p[0], p[5]);
    EXPECT_NEAR(p[5], 1 / std::tan(22.5 * M_PI / 180), 1e-5);
    EXPECT_NEAR(p[14], -2 * 3000 * 0.01 / (3000 - 0.01), 1e-5);
    GLfloat clear[4] = {};
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    EXPECT_EQ(clear[0] + clear[1] + clear[2] + clear[3], 0.0f);
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);
}

TEST_F(WorldGl, LightsMaterialAndLightPosition) {
    glPushAttrib(GL_LIGHTING_BIT);
    world.setLightPosition(1.0, 2.0, 3.0);
    EXPECT_FLOAT_EQ(world.lightPosition[0], 1);
    EXPECT_FLOAT_EQ(world.lightPosition[1], 2);
    EXPECT_FLOAT_EQ(world.lightPosition[2], 3);
    expectVector(GL_LIGHT0, GL_POSITION, {1, 2, 3, 1});

    world.initLights();
    expectVector(GL_LIGHT0, GL_AMBIENT, {0.3f, 0.3f, 0.3f, 1});
    expectVector(GL_LIGHT0, GL_DIFFUSE, {0.7f, 0.7f, 0.7f, 1});
    expectVector(GL_LIGHT0, GL_SPECULAR, {1, 1, 1, 1});
    expectVector(GL_LIGHT0, GL_POSITION, {1, 2, 3, 1});
    for (GLenum face : {GL_FRONT, GL_BACK}) {
        expectMaterial(face, GL_AMBIENT, {0.5f, 0.2f, 1.0f, 1});
        expectMaterial(face, GL_DIFFUSE, {0.4f, 0.4f, 0.9f, 1});
        expectMaterial(face, GL_SPECULAR, {0.8f, 0.8f, 0.8f, 1});
        GLfloat shininess = 0;
        glGetMaterialfv(face, GL_SHININESS, &shininess);
        EXPECT_FLOAT_EQ(shininess, 30);
    }
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING));

    // The float form, under a moved modelview: GL keeps the position in eye space.
    glTranslatef(10, 0, 0);
    world.setLightPosition(1.0f, 2.0f, 3.0f);
    expectVector(GL_LIGHT0, GL_POSITION, {11, 2, 3, 1});
    glLoadIdentity();

    Light show;
    expectVector(GL_LIGHT0, GL_DIFFUSE, {0.7f, 0.7f, 0.7f, 1});
    show.setPosition(-100, 0, -100);
    expectVector(GL_LIGHT0, GL_POSITION, {-100, 0, -100, 0});  // a direction
    glPopAttrib();
    world.setLightPosition(50.0, 50.0, 100.0);
}

TEST_F(WorldGl, OrthoBracketRestoresBothMatrices) {
    glMatrixMode(GL_PROJECTION);
    glFrustum(-1, 1, -1, 1, 1, 100);
    glMatrixMode(GL_MODELVIEW);
    glTranslatef(1, 2, 3);
    const GlState before = GlState::capture();

    world.beginOrtho();
    const auto ortho = matrix(GL_PROJECTION_MATRIX);
    EXPECT_FLOAT_EQ(ortho[0], 1);
    EXPECT_FLOAT_EQ(ortho[10], -1);
    EXPECT_FLOAT_EQ(ortho[15], 1);
    const auto identity = matrix(GL_MODELVIEW_MATRIX);
    EXPECT_FLOAT_EQ(identity[12], 0);
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);
    world.endOrtho();

    const GlState after = GlState::capture();
    EXPECT_EQ(before, after) << before.differences(after);
}

TEST_F(WorldGl, FullWindowQuadUsesTheSpriteMappingAndRestoresState) {
    // Rows bottom-up: row 0 red, green; row 1 blue, white.
    const unsigned char texels[] = {255, 0, 0,   255, 0,   255, 0,   255,
                                    0,   0, 255, 255, 255, 255, 255, 255};
    const GLuint texture = makeTexture(2, 2, texels);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_LIGHTING);
    const GlState before = GlState::capture();
    world.drawFullWindowQuad(0, texture);
    EXPECT_EQ(before, GlState::capture()) << before.differences(GlState::capture());
    // s = (1 − x) / 2, t = (1 − y) / 2: the picture is turned half a turn.
    const auto topLeft = readPixel(10, 590);
    const auto topRight = readPixel(790, 590);
    const auto bottomLeft = readPixel(10, 10);
    const auto bottomRight = readPixel(790, 10);
    EXPECT_EQ(topLeft.g, 255);  // s 1, t 0: green
    EXPECT_EQ(topLeft.r, 0);
    EXPECT_EQ(topRight.r, 255);  // s 0, t 0: red
    EXPECT_EQ(topRight.g, 0);
    EXPECT_EQ(bottomLeft.r + bottomLeft.g + bottomLeft.b, 3 * 255);  // s 1, t 1: white
    EXPECT_EQ(bottomRight.b, 255);                                   // s 0, t 1: blue
    EXPECT_EQ(bottomRight.r, 0);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    glDeleteTextures(1, &texture);
}

TEST_F(WorldGl, TextureEnvironmentsInvertOrKeepTheTexture) {
    const unsigned char texel[] = {64, 128, 191, 255};
    const GLuint texture = makeTexture(1, 1, texel);
    glColor4f(0.8f, 0.8f, 0.4f, 1);
    glPushAttrib(GL_TEXTURE_BIT);

    world.setNormalTexEnv();
    world.drawFullWindowQuad(0, texture);
    const auto normal = readPixel(400, 300);
    EXPECT_NEAR(normal.r, 0.8 * 64, 2);
    EXPECT_NEAR(normal.g, 0.8 * 128, 2);
    EXPECT_NEAR(normal.b, 0.4 * 191, 2);

    world.setInvertTexEnv();
    world.drawFullWindowQuad(0, texture);
    const auto inverted = readPixel(400, 300);
    EXPECT_NEAR(inverted.r, 0.8 * (255 - 64), 2);
    EXPECT_NEAR(inverted.g, 0.8 * (255 - 128), 2);
    EXPECT_NEAR(inverted.b, 0.4 * (255 - 191), 2);
    EXPECT_EQ(inverted.a, 255);  // alpha is texture × colour either way

    glPopAttrib();
    glDeleteTextures(1, &texture);
}

TEST_F(WorldGl, FrameRateIsSampledEveryTenFrames) {
    World meter;
    int printed = 0;
    meter.printFps = [&](const char*) { ++printed; };
    // Each update counts a frame: the tenth is sampled.
    meter.framesDrawn = 9;
    double showTime = 2.0;
    meter.updateFrameRate(showTime);
    EXPECT_FLOAT_EQ(meter.fps, 5.0f);
    EXPECT_STREQ(meter.fpsText, "Fps: 5.0 Tid 2.00");
    EXPECT_EQ(printed, 0);  // hidden unless showFps

    showTime = 2.1;
    meter.showFps = true;
    meter.updateFrameRate(showTime);
    EXPECT_STREQ(meter.fpsText, "Fps: 5.0 Tid 2.10");
    EXPECT_EQ(printed, 1);

    meter.framesDrawn = 19;
    showTime = 2.5;
    meter.updateFrameRate(showTime);
    EXPECT_FLOAT_EQ(meter.fps, 20.0f);  // 10 frames in 0.5 s

    // A paused clock gives no new rate instead of a division by zero.
    meter.framesDrawn = 29;
    meter.updateFrameRate(showTime);
    EXPECT_FLOAT_EQ(meter.fps, 20.0f);
    EXPECT_STREQ(meter.fpsText, "Fps: 20.0 Tid 2.50");
}

}  // namespace
