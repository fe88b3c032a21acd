// The list writers produce rows that the show's scan formats read back exactly.
#include <gtest/gtest.h>

#include <cstdio>

#include "vintra-gen/lists/camera_list_writer.h"
#include "vintra-gen/lists/camera_path_writer.h"
#include "vintra-gen/lists/flash_list_writer.h"
#include "vintra-gen/lists/tag_list_writer.h"

TEST(TagListWriter, RowReadsBackWithTwelveFieldsAndTheRandomMarker) {
    gen::TagListWriter list;
    list.comment("header");
    list.add({.image = "a.jpg",
              .start = -8,
              .fadeIn = 0.5,
              .hold = 2,
              .fadeOut = 1,
              .x = gen::kRandom,
              .y = -0.25,
              .z = -2.6,
              .rotation = 12,
              .peak = 0.75,
              .drift = -0.1});
    ASSERT_EQ(list.rows(), 1);
    const std::string& text = list.text();
    ASSERT_EQ(text.rfind("# header\n", 0), 0u);
    const char* row = text.c_str() + text.find('\n') + 1;
    char name[64];
    float v[11];
    ASSERT_EQ(std::sscanf(row, "%s\t%f\t%f\t%f\t%f\t%f\t%f\t%f\t%f\t%f\t%f\t%f\n", name, &v[0],
                          &v[1], &v[2], &v[3], &v[4], &v[5], &v[6], &v[7], &v[8], &v[9], &v[10]),
              12);
    EXPECT_STREQ(name, "a.jpg");
    EXPECT_EQ(v[0], -8.0f);
    EXPECT_EQ(v[4], 666.0f);
    EXPECT_EQ(v[5], -0.25f);
    EXPECT_EQ(v[10], 1.0f);
}

TEST(FlashListWriter, BlackFlashInSecondsHasSevenFields) {
    gen::FlashListWriter list;
    list.add({.start = 10,
              .fadeIn = 0.25,
              .hold = 0,
              .fadeOut = 0.5,
              .peak = 1,
              .black = true,
              .beats = false});
    float v[7];
    ASSERT_EQ(std::sscanf(list.text().c_str(), "%f\t%f\t%f\t%f\t%f\t%f\t%f\n", &v[0], &v[1], &v[2],
                          &v[3], &v[4], &v[5], &v[6]),
              7);
    EXPECT_EQ(v[1], 0.25f);
    EXPECT_EQ(v[5], 1.0f);
    EXPECT_EQ(v[6], 0.0f);
}

TEST(CameraWriters, CutRowAndPositionLine) {
    gen::CameraListWriter list;
    list.add({.file = "a.pos", .start = 16, .end = 32, .moveTime = 8});
    EXPECT_EQ(list.text(), "a.pos\t16\t32\t8\t1\n");
    gen::CameraPathWriter path;
    path.add({7.724, -17.64, 19.03}, {4.71, -10.626, 10.21}, {0, 0, 1});
    EXPECT_EQ(path.text(), "7.72 -17.64 19.03 4.71 -10.63 10.21 0.00 0.00 1.00\n");
    EXPECT_EQ(path.positions(), 1);
}
