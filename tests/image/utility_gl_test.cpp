#include "image/utility.h"

#include <gtest/gtest.h>

#include <vector>

#include "image/test_images.h"
#include "support/gl_context.h"

using test_images::Rgb;
using test_images::TempFile;

namespace {

Rgb stripes(int x, int y) {
    return {uint8_t(40 * x), uint8_t(60 * y + 10), uint8_t(200 - x)};
}

GLint texParameter(GLenum name) {
    GLint value = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, name, &value);
    return value;
}

GLint levelParameter(int level, GLenum name) {
    GLint value = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, level, name, &value);
    return value;
}

TEST(UtilityGl, JpegTextureIsBoundLinearRepeatingAndSingleLevel) {
    TempFile file("texture.jpg", test_images::jpegBytes(64, 32, stripes));
    GLuint name = 0;
    ASSERT_TRUE(Utility().loadJPGTexture(file.path(), &name));
    ASSERT_NE(name, 0u);
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(GLuint(bound), name);
    EXPECT_EQ(texParameter(GL_TEXTURE_MIN_FILTER), GL_LINEAR);
    EXPECT_EQ(texParameter(GL_TEXTURE_MAG_FILTER), GL_LINEAR);
    EXPECT_EQ(texParameter(GL_TEXTURE_WRAP_S), GL_REPEAT);
    EXPECT_EQ(texParameter(GL_TEXTURE_WRAP_T), GL_REPEAT);
    EXPECT_EQ(levelParameter(0, GL_TEXTURE_WIDTH), 64);
    EXPECT_EQ(levelParameter(0, GL_TEXTURE_HEIGHT), 32);
    EXPECT_EQ(levelParameter(1, GL_TEXTURE_WIDTH), 0);
    glBindTexture(GL_TEXTURE_2D, 0);
    glDeleteTextures(1, &name);
}

// Widths that are not a multiple of four: the texture holds the picture, not sheared rows.
TEST(UtilityGl, OddWidthBmpUploadsExactlyAndRestoresTheUnpackAlignment) {
    TempFile file("odd.bmp", test_images::bmpBytes(5, 3, stripes));
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);  // GL's default, whatever earlier tests left
    GLuint name = 0;
    ASSERT_TRUE(Utility().loadBMPTexture(file.path(), &name));
    GLint alignment = 0;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    EXPECT_EQ(alignment, 4);

    std::vector<uint8_t> pixels(5 * 3 * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 5; ++x) {
            Rgb want = stripes(x, y);
            const uint8_t* p = &pixels[(y * 5 + x) * 3];
            EXPECT_EQ(p[0], want.r) << x << "," << y;
            EXPECT_EQ(p[1], want.g) << x << "," << y;
            EXPECT_EQ(p[2], want.b) << x << "," << y;
        }
    }
    glBindTexture(GL_TEXTURE_2D, 0);
    glDeleteTextures(1, &name);
}

// A grey picture is kept in one channel and draws as its three equal channels did; one
// coloured pixel keeps all three.
TEST(UtilityGl, GreyPicturesAreKeptAsLuminanceAndSampleTheSame) {
    auto upload = [](const std::vector<uint8_t>& rgb) {
        GLuint name = 0;
        uploadTexture(&name, rgb.data(), 2, 2);
        return name;
    };
    std::vector<uint8_t> grey = {10, 10, 10, 200, 200, 200, 255, 255, 255, 0, 0, 0};
    const GLuint greyName = upload(grey);
    EXPECT_EQ(levelParameter(0, GL_TEXTURE_LUMINANCE_SIZE), 8);
    EXPECT_EQ(levelParameter(0, GL_TEXTURE_GREEN_SIZE), 0);
    std::vector<uint8_t> texels(2 * 2 * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_LUMINANCE, GL_UNSIGNED_BYTE, texels.data());
    EXPECT_EQ(texels[0], 10);
    EXPECT_EQ(texels[1], 200);
    EXPECT_EQ(texels[2], 255);

    // Drawn with the show's modulation, the grey texture gives the colour the RGB one gave.
    testing_support::resetFrame();
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glEnable(GL_TEXTURE_2D);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glColor4f(1, 0.5f, 1, 1);
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0);
    glVertex2f(-1, -1);
    glTexCoord2f(1, 0);
    glVertex2f(1, -1);
    glTexCoord2f(1, 1);
    glVertex2f(1, 1);
    glTexCoord2f(0, 1);
    glVertex2f(-1, 1);
    glEnd();
    glPopAttrib();
    const testing_support::Pixel lowRight = testing_support::readPixel(600, 150);
    EXPECT_EQ(lowRight.r, 200);
    EXPECT_NEAR(lowRight.g, 100, 1);
    EXPECT_EQ(lowRight.b, 200);
    EXPECT_EQ(lowRight.a, 255) << "a grey texel is opaque, as the RGB one was";

    std::vector<uint8_t> tinted = grey;
    tinted[11] = 1;  // the last pixel a little blue
    const GLuint colourName = upload(tinted);
    EXPECT_EQ(levelParameter(0, GL_TEXTURE_GREEN_SIZE), 8);
    glBindTexture(GL_TEXTURE_2D, 0);
    const GLuint names[] = {greyName, colourName};
    glDeleteTextures(2, names);
    testing_support::resetFrame();
}

}  // namespace
