#include "lists/position_row.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using Point = PositionRow::Point;

const char* kNine = "1 2 3 4 5 6 7 8 9";

TEST(PositionRow, NumbersSpreadOverLinesFormPositionsAndTrailingGroupsAreIgnored) {
    std::string text =
        "1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18\n19\n20 21\n22 23 24\n"
        "\t25 26 27\r\n1 2 3 4 5";
    auto positions = PositionRow::parse(text);
    ASSERT_EQ(positions.size(), 3u);
    EXPECT_EQ(positions[0].eye, (Point{1, 2, 3}));
    EXPECT_EQ(positions[0].target, (Point{4, 5, 6}));
    EXPECT_EQ(positions[0].up, (Point{7, 8, 9}));
    EXPECT_EQ(positions[1].eye, (Point{10, 11, 12}));
    EXPECT_EQ(positions[2].up, (Point{25, 26, 27}));
}

TEST(PositionRow, AcceptsTheScanFormsOfNumbersAndCrLf) {
    auto positions = PositionRow::parse("+1.5 -2e1 .25 0 -0 1E-2 3. 4 5\r\n");
    ASSERT_EQ(positions.size(), 1u);
    EXPECT_EQ(positions[0].eye, (Point{1.5, -20, 0.25}));
    EXPECT_EQ(positions[0].target.z, double(0.01f));  // held in single precision
    EXPECT_EQ(positions[0].up, (Point{3, 4, 5}));
    EXPECT_TRUE(PositionRow::parse("").empty());
    EXPECT_TRUE(PositionRow::parse(" \r\n\t ").empty());
}

TEST(PositionRow, StopsAtTextKeepingTheCompleteGroupsBeforeIt) {
    std::string two = std::string(kNine) + "\n" + kNine + "\n";
    EXPECT_EQ(PositionRow::parse(two + "camera two\n" + kNine).size(), 2u);
    EXPECT_EQ(PositionRow::parse(two + "1 2 x 4 5 6 7 8 9").size(), 2u);
    EXPECT_EQ(PositionRow::parse(two + "1 2 3 4 5 6 7 8 9abc").size(), 3u);
    EXPECT_EQ(PositionRow::parse(two + "1,2,3,4,5,6,7,8,9").size(), 2u);
    EXPECT_EQ(PositionRow::parse(two + "+ 1 2 3 4 5 6 7 8").size(), 2u);
    EXPECT_EQ(PositionRow::parse(two + "1e60 2 3 4 5 6 7 8 9").size(), 2u);
    EXPECT_EQ(PositionRow::parse(std::string(kNine) + '\0' + kNine).size(), 1u);
}

}  // namespace
