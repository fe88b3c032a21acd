#include "image/bmp_image.h"

#include <gtest/gtest.h>

#include "image/test_images.h"
#include "shell/log_window.h"
#include "support/test_ui.h"

using test_images::bmpBytes;
using test_images::Rgb;
using test_images::TempFile;

namespace {

class BMPImageTest : public ::testing::Test {
protected:
    void SetUp() override { testing_support::installScriptedUi(); }

    // Loads the bytes from a file; returns what the reader wrote to standard output.
    std::string load(const std::vector<uint8_t>& bytes, bool* ok) {
        TempFile file("image.bmp", bytes);
        path = file.path();
        ::testing::internal::CaptureStdout();
        *ok = image.load(file.path());
        return ::testing::internal::GetCapturedStdout();
    }

    BMPImage image;
    std::string path;
};

Rgb stored(int x, int y) {
    return {uint8_t(10 * x + 1), uint8_t(20 * y + 2), uint8_t(x + y)};
}

TEST_F(BMPImageTest, ReadsRowsInFileOrderAsRgbAndReportsTheSize) {
    bool ok = false;
    std::string out = load(bmpBytes(4, 2,
                                    [](int x, int y) {
                                        return x == 0 && y == 0 ? Rgb{255, 0, 0} : stored(x, y);
                                    }),
                           &ok);
    ASSERT_TRUE(ok);
    EXPECT_NE(out.find("Width of " + path + ": 4\n"), std::string::npos) << out;
    EXPECT_NE(out.find("Height of " + path + ": 2\n"), std::string::npos) << out;
    ASSERT_EQ(image.width, 4);
    ASSERT_EQ(image.height, 2);
    // The first stored pixel is 00 00 FF (blue, green, red): red comes first.
    EXPECT_EQ(image.data[0], 0xFF);
    EXPECT_EQ(image.data[1], 0x00);
    EXPECT_EQ(image.data[2], 0x00);
    Rgb last = stored(3, 1);
    EXPECT_EQ(image.data[(1 * 4 + 3) * 3 + 0], last.r);
    EXPECT_EQ(image.data[(1 * 4 + 3) * 3 + 1], last.g);
    EXPECT_EQ(image.data[(1 * 4 + 3) * 3 + 2], last.b);
    EXPECT_NE(shellLog->text().find("BMPImage::load() -- file: " + path), std::string::npos);
}

TEST_F(BMPImageTest, PaddedRowsOfOddWidthsComeOutPacked) {
    for (int width : {1, 3, 5, 7}) {
        bool ok = false;
        load(bmpBytes(width, 3, stored), &ok);
        ASSERT_TRUE(ok) << width;
        for (int y = 0; y < 3; ++y) {
            for (int x = 0; x < width; ++x) {
                const unsigned char* p = &image.data[(y * width + x) * 3];
                Rgb want = stored(x, y);
                ASSERT_EQ(p[0], want.r) << width << " " << x << "," << y;
                ASSERT_EQ(p[1], want.g);
                ASSERT_EQ(p[2], want.b);
            }
        }
    }
}

TEST_F(BMPImageTest, PixelsAreTakenFromByte54WhateverTheOffsetFieldSays) {
    test_images::BmpOptions options;
    options.pixelOffset = 138;
    bool ok = false;
    load(bmpBytes(4, 1, stored, options), &ok);
    ASSERT_TRUE(ok);
    EXPECT_EQ(image.data[0], stored(0, 0).r);
    EXPECT_EQ(image.data[1], stored(0, 0).g);
}

TEST_F(BMPImageTest, WrongPlanesOrDepthIsRefusedWithItsMessage) {
    test_images::BmpOptions eightBit;
    eightBit.bpp = 8;
    bool ok = true;
    std::string out = load(bmpBytes(4, 2, stored, eightBit), &ok);
    EXPECT_FALSE(ok);
    EXPECT_NE(out.find("Bpp from " + path + " is not 24: 8\n"), std::string::npos) << out;

    test_images::BmpOptions twoPlanes;
    twoPlanes.planes = 2;
    out = load(bmpBytes(4, 2, stored, twoPlanes), &ok);
    EXPECT_FALSE(ok);
    EXPECT_NE(out.find("Planes from " + path + " is not 1: 2\n"), std::string::npos) << out;
}

TEST_F(BMPImageTest, ZeroNegativeAndHugeSizesAreRefusedWithoutAllocating) {
    for (auto [w, h] : {std::pair{0, 4},
                        {4, 0},
                        {-4, 4},
                        {4, -4},
                        {100000, 100000},
                        {16385, 1},
                        {16384, 16384}}) {
        bool ok = true;
        std::string out = load(bmpBytes(w, h, stored), &ok);
        EXPECT_FALSE(ok) << w << " x " << h;
        EXPECT_EQ(image.data, nullptr);
    }
    // Within the limits but far more than the file holds: a short block, nothing allocated.
    bool ok = true;
    std::string out = load(bmpBytes(9000, 9000, stored), &ok);
    EXPECT_FALSE(ok);
    EXPECT_NE(out.find("Error reading image data from " + path + ".\n"), std::string::npos);
}

TEST_F(BMPImageTest, ShortFilesAndMissingFilesFail) {
    std::vector<uint8_t> full = bmpBytes(4, 4, stored);
    bool ok = true;
    std::string out = load(std::vector<uint8_t>(full.begin(), full.end() - 5), &ok);
    EXPECT_FALSE(ok);
    EXPECT_NE(out.find("Error reading image data from"), std::string::npos);
    out = load(std::vector<uint8_t>(full.begin(), full.begin() + 30), &ok);
    EXPECT_FALSE(ok);

    ::testing::internal::CaptureStdout();
    EXPECT_FALSE(image.load("no/such/picture.bmp"));
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "File Not Found : no/such/picture.bmp\n");
}

}  // namespace
