// The capture's side at each picture height: as sharp as the 512 of 600 lines, a power of
// two where one fits the picture, never more than the picture.
#include "layers/copy2texture.h"

#include <gtest/gtest.h>

namespace {

TEST(Copy2Texture, CaptureGrowsWithThePictureAndFitsIt) {
    const struct {
        int height;
        int size;
    } cases[] = {
        {600, 512},                // the show as designed
        {1080, 1024},              // 1920 x 1080
        {1200, 1024},              // 1600 x 1200: exactly twice 800 x 600
        {2160, 2048},              // 3840 x 2160
        {900, 768},                // 1024 would not fit 900 lines: in proportion instead
        {768, 655},   {300, 256},  // a small window
        {1, 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Copy2Texture::sizeFor(c.height), c.size) << c.height << " lines";
        EXPECT_LE(Copy2Texture::sizeFor(c.height), c.height) << c.height << " lines";
    }
}

}  // namespace
