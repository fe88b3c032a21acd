#include "image/jpg_image.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "image/test_images.h"
#include "image/utility.h"
#include "shell/log_window.h"
#include "support/test_ui.h"

using test_images::jpegBytes;
using test_images::Rgb;
using test_images::TempFile;

namespace {

class JPGImageTest : public ::testing::Test {
protected:
    void SetUp() override { ui = &testing_support::installScriptedUi(); }
    platform::ScriptedUi* ui = nullptr;
};

Rgb quadrants(int x, int y, int w, int h) {
    bool right = x >= w / 2, bottom = y >= h / 2;
    if (!bottom)
        return right ? Rgb{0, 255, 0} : Rgb{255, 0, 0};
    return right ? Rgb{255, 255, 255} : Rgb{0, 0, 255};
}

void expectNear(const unsigned char* p, Rgb want, const char* where) {
    EXPECT_NEAR(p[0], want.r, 8) << where;
    EXPECT_NEAR(p[1], want.g, 8) << where;
    EXPECT_NEAR(p[2], want.b, 8) << where;
}

TEST_F(JPGImageTest, RowsComeTopDownMirroredAsRgb) {
    TempFile file("quad.jpg",
                  jpegBytes(32, 16, [](int x, int y) { return quadrants(x, y, 32, 16); }));
    JPGImage image;
    ASSERT_TRUE(image.load(file.path()));
    ASSERT_EQ(image.width, 32);
    ASSERT_EQ(image.height, 16);
    const unsigned char* top = image.data.get();
    const unsigned char* bottom = image.data.get() + 15 * 32 * 3;
    expectNear(top, {0, 255, 0}, "top row starts with the right half");
    expectNear(top + 31 * 3, {255, 0, 0}, "top row ends with the left half");
    expectNear(bottom, {255, 255, 255}, "bottom right");
    expectNear(bottom + 31 * 3, {0, 0, 255}, "bottom left");
    EXPECT_NE(shellLog->text().find(std::string("JPGImage::load() -- file: ") + file.path()),
              std::string::npos);
}

// Odd widths have padded decoder rows: every pixel must match libjpeg's own decode.
TEST_F(JPGImageTest, EveryWidthMatchesTheReferenceDecodeMirrored) {
    std::srand(7);
    for (int width : {1, 5, 13, 64}) {
        std::vector<uint8_t> jpeg = jpegBytes(width, 9, [](int x, int y) {
            return Rgb{uint8_t(x * 17 + y), uint8_t(std::rand()), uint8_t(y * 25)};
        });
        std::vector<uint8_t> reference = test_images::referenceRgb(jpeg);
        JPGImage image;
        ASSERT_TRUE(image.loadFromMemory(jpeg.data(), jpeg.size()));
        ASSERT_EQ(image.width, width);
        for (int y = 0; y < 9; ++y) {
            for (int x = 0; x < width; ++x) {
                for (int c = 0; c < 3; ++c) {
                    ASSERT_EQ(image.data[(y * width + x) * 3 + c],
                              reference[(y * width + (width - 1 - x)) * 3 + c])
                        << "width " << width << " pixel " << x << "," << y << " channel " << c;
                }
            }
        }
    }
}

TEST_F(JPGImageTest, GreyFilesBecomeThreeEqualChannels) {
    std::vector<uint8_t> jpeg = jpegBytes(
        8, 8,
        [](int, int) {
            return Rgb{0, 200, 0};
        },
        1);
    JPGImage image;
    ASSERT_TRUE(image.loadFromMemory(jpeg.data(), jpeg.size()));
    EXPECT_EQ(image.properties.jpgChannels, 1);
    expectNear(image.data.get(), {200, 200, 200}, "grey");
}

TEST_F(JPGImageTest, TruncatedCorruptAndForeignDataFail) {
    std::vector<uint8_t> jpeg = jpegBytes(64, 64, [](int x, int y) {
        return Rgb{uint8_t(x * 4), uint8_t(y * 4), 9};
    });
    JPGImage image;
    std::vector<uint8_t> truncated(jpeg.begin(), jpeg.begin() + jpeg.size() / 2);
    EXPECT_FALSE(image.loadFromMemory(truncated.data(), truncated.size()));
    std::vector<uint8_t> damaged = jpeg;
    for (size_t i = damaged.size() / 2; i < damaged.size() / 2 + 64; ++i)
        damaged[i] = 0xFF;
    EXPECT_FALSE(JPGImage().loadFromMemory(damaged.data(), damaged.size()));
    std::vector<uint8_t> text = {'h', 'e', 'l', 'l', 'o'};
    EXPECT_FALSE(JPGImage().loadFromMemory(text.data(), text.size()));
    EXPECT_FALSE(JPGImage().loadFromMemory(nullptr, 0));
    EXPECT_TRUE(ui->messages.empty());
}

TEST_F(JPGImageTest, AbsurdHeaderSizesAreRefusedBeforeDecoding) {
    std::vector<uint8_t> jpeg = jpegBytes(8, 8, [](int, int) { return Rgb{1, 2, 3}; });
    // The frame header (SOF0) holds height then width, big-endian.
    for (size_t i = 0; i + 8 < jpeg.size(); ++i) {
        if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xC0) {
            jpeg[i + 5] = 0xFF;  // height 65288
            jpeg[i + 7] = 0xFF;  // width 65288
            break;
        }
    }
    platform::JpegProperties properties;
    properties.jpgBytes = jpeg.data();
    properties.jpgSizeBytes = jpeg.size();
    EXPECT_EQ(platform::readJpegHeader(properties), platform::JpegResult::TooLarge);
    EXPECT_FALSE(JPGImage().loadFromMemory(jpeg.data(), jpeg.size()));
}

// What the decoders share (platform/jpeg.cpp): the source, and a DIB that must match the
// header before any decoder writes to it.
TEST_F(JPGImageTest, TheDecoderGetsOnlyADibThatMatchesTheHeader) {
    const std::vector<uint8_t> jpeg = jpegBytes(12, 6, [](int, int) { return Rgb{9, 8, 7}; });
    TempFile file("dib.jpg", jpeg);
    platform::JpegProperties p;
    p.jpgFile = file.path();
    ASSERT_EQ(platform::readJpegHeader(p), platform::JpegResult::Ok);
    EXPECT_EQ(p.jpgWidth, 12);
    EXPECT_EQ(p.jpgHeight, 6);
    EXPECT_EQ(p.jpgColor, platform::JpegColor::YCbCr);

    std::vector<unsigned char> dib(12 * 3 * 7, 0xAB);  // a row more than the picture needs
    p.dibBytes = dib.data();
    p.dibWidth = 12;
    p.dibHeight = 7;
    EXPECT_EQ(platform::readJpegImage(p), platform::JpegResult::BadArguments);
    EXPECT_EQ(dib.front(), 0xAB) << "written before the sizes were checked";
    p.dibHeight = 6;
    p.dibChannels = 4;  // blue-green-red has three
    EXPECT_EQ(platform::readJpegImage(p), platform::JpegResult::Unsupported);
    p.dibChannels = 3;
    ASSERT_EQ(platform::readJpegImage(p), platform::JpegResult::Ok);
    EXPECT_NEAR(dib[0], 7, 8) << "blue first";
    EXPECT_EQ(dib[12 * 3 * 6], 0xAB) << "past the picture";

    p.jpgFile = "no/such/picture.jpg";
    EXPECT_EQ(platform::readJpegHeader(p), platform::JpegResult::CannotOpen);
    p.jpgFile = nullptr;
    EXPECT_EQ(platform::readJpegHeader(p), platform::JpegResult::BadArguments);
}

TEST_F(JPGImageTest, MissingFilesFailSilentlyButTheLoaderAlerts) {
    JPGImage image;
    ::testing::internal::CaptureStdout();
    EXPECT_FALSE(image.load("no/such/picture.jpg"));
    GLuint name = 77;
    EXPECT_FALSE(Utility().loadJPGTexture("no/such/picture.jpg", &name));
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(name, 77u);
    ASSERT_EQ(ui->messages.size(), 1u);
    EXPECT_EQ(ui->messages[0].text, "ERROR! Failed to load no/such/picture.jpg !");

    // A file that is there but not a JPEG is a failed load too, and reported.
    TempFile junk("junk.jpg");
    junk.writeText("not a picture at all");
    EXPECT_FALSE(Utility().loadJPGTexture(junk.path(), &name));
    EXPECT_EQ(name, 77u);
    ASSERT_EQ(ui->messages.size(), 2u);
    EXPECT_NE(shellLog->text().find("Utility::loadJPGTexture() -- file: "), std::string::npos);
}

TEST_F(JPGImageTest, BmpLoaderAlertsOnFailureEvenWithTheLogOff) {
    platform::ScriptedUi& quiet = testing_support::installScriptedUi(false);
    GLuint name = 5;
    ::testing::internal::CaptureStdout();
    EXPECT_FALSE(Utility().loadBMPTexture("no/such/picture.bmp", &name));
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "File Not Found : no/such/picture.bmp\n");
    EXPECT_EQ(name, 5u);
    ASSERT_EQ(quiet.messages.size(), 1u);
    EXPECT_EQ(quiet.messages[0].text, "ERROR! Failed to load no/such/picture.bmp !");
}

}  // namespace
