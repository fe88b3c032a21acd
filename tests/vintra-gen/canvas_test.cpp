// Drawing and encoding pieces whose faults would spoil every picture.
#include <gtest/gtest.h>

#include <cmath>

#include "vintra-gen/pictures/canvas.h"
#include "vintra-gen/pictures/jpeg_encoder.h"
#include "vintra-gen/pictures/lettering.h"
#include "vintra-gen/pictures/plane.h"

namespace {

float total(const gen::Plane& plane) {
    float sum = 0.0f;
    for (float v : plane.values()) {
        sum += v;
    }
    return sum;
}

}  // namespace

TEST(Plane, AntiAliasedShapesCoverTheirArea) {
    gen::Plane circle(64, 64);
    circle.fillCircle(32, 32, 20);
    EXPECT_NEAR(total(circle), 3.14159f * 400.0f, 20.0f);
    gen::Plane square(64, 64);
    square.fillPolygon({{10, 10}, {30.5f, 10}, {30.5f, 30}, {10, 30}});
    EXPECT_NEAR(total(square), 20.5f * 20.0f, 2.0f);
}

TEST(Plane, BlurKeepsTheAmountAndSpreadsIt) {
    gen::Plane plane(32, 32);
    plane.at(16, 16) = 1.0f;
    plane.blur(2);
    EXPECT_NEAR(total(plane), 1.0f, 1e-4f);
    EXPECT_GT(plane.at(18, 16), 0.0f);
    EXPECT_LT(plane.at(16, 16), 0.5f);
}

TEST(Canvas, PaintBlendsByCoverageAndQuantisesToBytes) {
    gen::Canvas canvas(4, 1, {0, 0, 0});
    gen::Plane cover(4, 1);
    cover.at(1, 0) = 0.5f;
    cover.at(2, 0) = 1.0f;
    canvas.paint(cover, {1.0f, 0.5f, 0.0f});
    auto rgb = canvas.rgb8();
    ASSERT_EQ(rgb.size(), 12u);
    EXPECT_EQ(rgb[0], 0);
    EXPECT_EQ(rgb[3], 128);
    EXPECT_EQ(rgb[6], 255);
    EXPECT_EQ(rgb[7], 128);
}

TEST(JpegEncoder, RefusesMismatchedInputAndRepeatsItself) {
    EXPECT_TRUE(gen::JpegEncoder::encode(std::vector<uint8_t>(10), 4, 4).empty());
    gen::Canvas canvas(16, 16, {0.2f, 0.4f, 0.6f});
    auto first = gen::JpegEncoder::encode(canvas);
    ASSERT_GT(first.size(), 100u);
    EXPECT_EQ(first[0], 0xFF);
    EXPECT_EQ(first[1], 0xD8);
    EXPECT_EQ(first, gen::JpegEncoder::encode(canvas));
}

TEST(Lettering, RendersCentredText) {
    gen::Lettering lettering;
    if (!lettering.ok()) {
        GTEST_SKIP() << lettering.error();
    }
    gen::Plane text = lettering.render(128, 64, "Hi", {64, 32}, {.pixelHeight = 40});
    float sum = 0.0f, cx = 0.0f;
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 128; ++x) {
            sum += text.at(x, y);
            cx += text.at(x, y) * (x + 0.5f);
        }
    }
    ASSERT_GT(sum, 100.0f);
    EXPECT_NEAR(cx / sum, 64.0f, 4.0f);
    EXPECT_EQ(text.at(0, 0), 0.0f);
}
