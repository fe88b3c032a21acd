#include "render/picture_target.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "layers/copy2texture.h"
#include "render/gl/gl.h"
#include "support/gl_paths.h"

namespace {

using testing_support::drawBothWays;

// A white triangle with slanted edges on the left; on the right a red quad cut to a
// triangle by the stencil, as the shadow passes cut the lit tower.
void drawEdges() {
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    glColor4f(1, 1, 1, 1);
    glBegin(GL_TRIANGLES);
    glVertex3f(-0.95f, -0.9f, 0);
    glVertex3f(-0.1f, -0.6f, 0);
    glVertex3f(-0.8f, 0.9f, 0);
    glEnd();

    glEnable(GL_STENCIL_TEST);
    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    glStencilFunc(GL_ALWAYS, 1, ~0u);
    glStencilOp(GL_KEEP, GL_KEEP, GL_REPLACE);
    glBegin(GL_TRIANGLES);
    glVertex3f(0.05f, -0.9f, 0);
    glVertex3f(0.95f, -0.7f, 0);
    glVertex3f(0.2f, 0.9f, 0);
    glEnd();
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glStencilFunc(GL_EQUAL, 1, ~0u);
    glStencilOp(GL_KEEP, GL_KEEP, GL_KEEP);
    glColor4f(1, 0, 0, 1);
    glBegin(GL_QUADS);
    glVertex3f(0, -1, 0);
    glVertex3f(1, -1, 0);
    glVertex3f(1, 1, 0);
    glVertex3f(0, 1, 0);
    glEnd();
    glDisable(GL_STENCIL_TEST);
}

struct Edges {
    int white = 0;      // fully lit pixels of the white triangle
    int greyWhite = 0;  // its edge pixels between black and white
    int red = 0;        // fully lit pixels of the stencilled quad
    int partlyRed = 0;  // its edge pixels between black and red
    std::vector<uint8_t> rgba;
};

Edges countEdges(const std::vector<uint8_t>& rgba) {
    Edges edges;
    edges.rgba = rgba;
    auto between = [](int v) { return v > 8 && v < 247; };
    for (size_t i = 0; i + 3 < rgba.size(); i += 4) {
        const int r = rgba[i], g = rgba[i + 1];
        edges.white += g >= 247;
        edges.greyWhite += between(g);
        edges.red += r >= 247 && g <= 8;
        edges.partlyRed += between(r) && g <= 8;
    }
    return edges;
}

// The picture drawn with `samples` (0: straight into the window) and read back as the
// show reads its stills, in each renderer: [0] fixed-function GL, [1] the GL ES layer.
std::vector<Edges> drawnWith(int samples) {
    constexpr int kSide = 96;
    std::vector<Edges> got;
    drawBothWays(
        [&] {
            std::string note;
            if (samples > 0) {
                ASSERT_TRUE(render::drawPictureOffscreen(kSide, kSide, samples, note)) << note;
            }
            glViewport(0, 0, kSide, kSide);
            drawEdges();
            std::vector<uint8_t> rgba(kSide * kSide * 4);
            render::resolvePicture();
            glReadPixels(0, 0, kSide, kSide, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
            got.push_back(countEdges(rgba));
            render::releasePicture();
        },
        kSide, kSide);
    return got;
}

TEST(PictureTarget, SampledEdgesAreSmoothStencilledOnesTooAndOneSampleIsThePlainPicture) {
    const auto plain = drawnWith(0);
    const auto single = drawnWith(1);
    const auto sampled = drawnWith(4);
    ASSERT_EQ(plain.size(), 2u);
    ASSERT_EQ(single.size(), 2u);
    ASSERT_EQ(sampled.size(), 2u);
    for (int renderer = 0; renderer < 2; ++renderer) {
        SCOPED_TRACE(renderer == 0 ? "fixed-function GL" : "GL ES layer");
        EXPECT_EQ(plain[renderer].greyWhite, 0) << "an edge without samples is a hard step";
        EXPECT_EQ(plain[renderer].partlyRed, 0);
        EXPECT_GT(plain[renderer].white, 1000);
        EXPECT_GT(plain[renderer].red, 1000) << "the stencil let the quad through";
        // One sample a pixel goes through the same framebuffers and resolve, and changes
        // nothing: the reference frames hold for it.
        EXPECT_EQ(single[renderer].rgba, plain[renderer].rgba);
        // Four samples: the slanted edges (about 230 pixels of the white triangle's, 220 of
        // the stencilled one's) pass through grey, the inside stays whole.
        EXPECT_GT(sampled[renderer].greyWhite, 100);
        EXPECT_GT(sampled[renderer].partlyRed, 100) << "the stencil is sampled with the colour";
        EXPECT_NEAR(sampled[renderer].white, plain[renderer].white, 250);
        EXPECT_NEAR(sampled[renderer].red, plain[renderer].red, 250);
    }
}

// The overlays copy the picture mid-frame: the copy is the resolved picture, and the frame
// goes on in the multisampled one.
TEST(PictureTarget, CopyToTextureTakesTheResolvedPicture) {
    constexpr int kSide = 512;
    const PixelRect screen{0, 0, 800, 600};  // a 512 capture
    std::vector<std::vector<uint8_t>> copies;
    std::vector<Edges> after;
    for (int samples : {0, 4}) {
        drawBothWays(
            [&] {
                std::string note;
                if (samples > 0) {
                    ASSERT_TRUE(render::drawPictureOffscreen(kSide, kSide, samples, note));
                }
                Copy2Texture overlay;
                {
                    Copy2Texture::CaptureScope capture(overlay, screen);
                    drawEdges();
                }
                std::vector<uint8_t> copy(static_cast<size_t>(overlay.size) * overlay.size * 4);
                glBindTexture(GL_TEXTURE_2D, overlay.texture);
                glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, copy.data());
                glBindTexture(GL_TEXTURE_2D, 0);
                glDeleteTextures(1, &overlay.texture);
                copies.push_back(copy);
                // What the frame draws next lands in the multisampled picture again.
                glColor4f(1, 1, 1, 1);
                glBegin(GL_TRIANGLES);
                glVertex3f(-0.95f, -0.9f, 0);
                glVertex3f(-0.1f, -0.6f, 0);
                glVertex3f(-0.8f, 0.9f, 0);
                glEnd();
                std::vector<uint8_t> frame(static_cast<size_t>(kSide) * kSide * 4);
                render::resolvePicture();
                glReadPixels(0, 0, kSide, kSide, GL_RGBA, GL_UNSIGNED_BYTE, frame.data());
                after.push_back(countEdges(frame));
                render::releasePicture();
            },
            kSide, kSide);
    }
    ASSERT_EQ(copies.size(), 4u);
    for (int renderer = 0; renderer < 2; ++renderer) {
        SCOPED_TRACE(renderer == 0 ? "fixed-function GL" : "GL ES layer");
        const Edges plain = countEdges(copies[renderer]);
        const Edges sampled = countEdges(copies[2 + renderer]);
        EXPECT_GT(plain.white, 20000);
        EXPECT_EQ(plain.greyWhite, 0);
        EXPECT_NEAR(sampled.white, plain.white, 2000) << "the copy holds the frame drawn";
        EXPECT_NEAR(sampled.red, plain.red, 2000);
        EXPECT_GT(sampled.greyWhite, 500) << "the copy holds the resolved, smooth edges";
        EXPECT_GT(sampled.partlyRed, 500);
        EXPECT_NEAR(after[2 + renderer].white, plain.white, 2000);
        EXPECT_GT(after[2 + renderer].greyWhite, 500);
    }
}

}  // namespace
