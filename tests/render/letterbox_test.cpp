// Where the 4:3 picture lies in outputs of every shape.
#include "render/letterbox.h"

#include <gtest/gtest.h>

namespace {

void expectPicture(int width, int height, PixelRect expected) {
    const PixelRect got = Letterbox(width, height).picture();
    EXPECT_EQ(got.left, expected.left) << width << " x " << height;
    EXPECT_EQ(got.bottom, expected.bottom) << width << " x " << height;
    EXPECT_EQ(got.width, expected.width) << width << " x " << height;
    EXPECT_EQ(got.height, expected.height) << width << " x " << height;
}

TEST(Letterbox, PictureIsTheLargest4To3ThatFitsCentred) {
    expectPicture(800, 600, {0, 0, 800, 600});
    expectPicture(1920, 1080, {240, 0, 1440, 1080});  // pillars
    expectPicture(3840, 2160, {480, 0, 2880, 2160});
    expectPicture(1280, 1024, {0, 32, 1280, 960});  // bars above and below
    expectPicture(1000, 500, {166, 0, 667, 500});   // 666.7 rounds up, the left bar is smaller
    expectPicture(600, 2000, {0, 775, 600, 450});
    expectPicture(0, 0, {0, 0, 1, 1});  // a window minimised to nothing
}

}  // namespace
