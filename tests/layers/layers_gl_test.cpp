#include <GL/glu.h>
#include <gtest/gtest.h>

#include <vector>

#include "image/utility.h"
#include "layers/flash.h"
#include "layers/tag.h"
#include "support/gl_context.h"
#include "support/gl_state.h"

using testing_support::GlState;
using testing_support::readPixel;

namespace {

// A texture from packed RGB rows; the first row is texture coordinate t = 0.
GLuint makeTexture(int width, int height, const std::vector<uint8_t>& pixels) {
    GLuint name = 0;
    uploadTexture(&name, pixels.data(), width, height);
    glBindTexture(GL_TEXTURE_2D, 0);
    return name;
}

GLuint solidTexture(uint8_t value) {
    return makeTexture(4, 4, std::vector<uint8_t>(4 * 4 * 3, value));
}

class LayersGl : public ::testing::Test {
protected:
    void SetUp() override {
        testing_support::resetFrame();
        glMatrixMode(GL_PROJECTION);
        gluPerspective(45.0, 800.0 / 600.0, 0.1, 100.0);
        glMatrixMode(GL_MODELVIEW);
    }
    void TearDown() override {
        glDeleteTextures(GLsizei(textures.size()), textures.data());
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glMatrixMode(GL_MODELVIEW);
    }
    GLuint keep(GLuint name) {
        textures.push_back(name);
        return name;
    }
    void clearTo(float grey) {
        glClearColor(grey, grey, grey, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        glClearColor(0, 0, 0, 0);
    }

    std::vector<GLuint> textures;
};

void expectRgb(int x, int y, int r, int g, int b) {
    auto p = readPixel(x, y);
    EXPECT_NEAR(p.r, r, 3) << "at " << x << "," << y;
    EXPECT_NEAR(p.g, g, 3) << "at " << x << "," << y;
    EXPECT_NEAR(p.b, b, 3) << "at " << x << "," << y;
}

// Left half of the texture red/yellow, right half blue/cyan; the upper colours first.
std::vector<uint8_t> splitPicture() {
    std::vector<uint8_t> pixels;
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            bool right = x >= 4, lower = y >= 4;
            pixels.push_back(right ? 0 : 255);
            pixels.push_back(lower ? 255 : 0);
            pixels.push_back(right ? 255 : 0);
        }
    }
    return pixels;
}

TEST_F(LayersGl, TagIsMirroredLeftToRightAndUpright) {
    Tag tag(nullptr);
    tag.texture = keep(makeTexture(8, 8, splitPicture()));
    tag.setFade(0, 10, 0);
    tag.setZDrift(0);
    tag.setBlend(GL_SRC_ALPHA, GL_ONE);
    GlState before = GlState::capture();
    tag.draw(Frame::at(1.0));
    GlState after = GlState::capture();
    EXPECT_TRUE(before == after) << before.differences(after);
    expectRgb(200, 450, 0, 0, 255);    // screen left shows the texture's right half
    expectRgb(600, 450, 255, 0, 0);    // screen right shows its left half
    expectRgb(200, 150, 0, 255, 255);  // the first rows are at the top
    expectRgb(600, 150, 255, 255, 0);
    expectRgb(5, 300, 0, 0, 0);  // outside the square
}

TEST_F(LayersGl, ColourBlendedTagAtHalfFadeAddsTheSquareOfItsLevel) {
    Tag tag(nullptr);
    tag.texture = keep(solidTexture(255));
    tag.setFade(1, 1, 1);
    tag.setZDrift(0);
    tag.setBlend(GL_SRC_COLOR, GL_ONE);
    clearTo(0.2f);
    tag.draw(Frame::at(0.5));
    // Source colour 0.5 weighted by itself: 0.25 of white on top of the 0.2 grey.
    expectRgb(400, 300, 51 + 64, 51 + 64, 51 + 64);
    clearTo(0.2f);
    tag.draw(Frame::at(1.5));
    expectRgb(400, 300, 255, 255, 255);
}

TEST_F(LayersGl, TagDriftsAwayAlongTheViewAxis) {
    Tag tag(nullptr);
    tag.texture = keep(solidTexture(255));
    tag.setFade(0, 10, 0);
    tag.setBlend(GL_SRC_ALPHA, GL_ONE);
    tag.draw(Frame::at(0));
    expectRgb(400, 5, 255, 255, 255);  // at z −2 the square fills the height
    testing_support::resetFrame();
    glMatrixMode(GL_PROJECTION);
    gluPerspective(45.0, 800.0 / 600.0, 0.1, 100.0);
    glMatrixMode(GL_MODELVIEW);
    tag.draw(Frame::at(2));  // at z −4 it covers half the height
    expectRgb(400, 300, 255, 255, 255);
    expectRgb(400, 100, 0, 0, 0);
}

TEST_F(LayersGl, WhiteFlashAddsItsLevelBlackFlashDarkens) {
    Flash flash;
    flash.white = keep(solidTexture(255));
    flash.add(10, 0.25, 0, 0.5, 1, 0);
    GlState before = GlState::capture();
    flash.draw(Frame::at(10.5));
    GlState after = GlState::capture();
    EXPECT_TRUE(before == after) << before.differences(after);
    expectRgb(400, 300, 128, 128, 128);

    // A black picture at half opacity keeps a quarter at half level: the flash draws with
    // its own black picture, whatever other texture is about.
    GLuint halfBlack = 0;
    glGenTextures(1, &halfBlack);
    glBindTexture(GL_TEXTURE_2D, keep(halfBlack));
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    std::vector<uint8_t> halfAlpha(4 * 4 * 4, 0);
    for (size_t i = 3; i < halfAlpha.size(); i += 4) {
        halfAlpha[i] = 128;
    }
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 4, 4, 0, GL_RGBA, GL_UNSIGNED_BYTE, halfAlpha.data());
    glBindTexture(GL_TEXTURE_2D, 0);
    flash.black = halfBlack;
    flash.clear();
    flash.add(10, 0.25, 0, 0.5, 1, Flash::kBlack);
    clearTo(1.0f);
    flash.draw(Frame::at(10.25));
    expectRgb(400, 300, 0, 0, 0);
    clearTo(1.0f);
    flash.draw(Frame::at(10.5));
    expectRgb(400, 300, 64, 64, 64);
    clearTo(1.0f);
    flash.draw(Frame::at(10.76));  // after the end nothing is drawn
    expectRgb(400, 300, 255, 255, 255);
}

}  // namespace
