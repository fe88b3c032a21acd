#include "base/beat_position.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// A row written at beat n starts at the single-precision n × 0.48, the composition's times
// are the double n × 0.48: both are beat n, and a millisecond before either is beat n − 1,
// all through the show.
TEST(BeatPosition, ARowOrTheCompositionAtBeatNStartsOnBeatN) {
    for (int n = -9; n <= 390; ++n) {
        for (const double start : {BeatPosition::beatStart(n), beats(n)}) {
            EXPECT_EQ(BeatPosition::at(start).beat, n) << "at " << start;
            EXPECT_EQ(BeatPosition::at(start - 0.001).beat, n - 1) << "before " << start;
            EXPECT_EQ(BeatPosition::at(start).barText(), BeatPosition::ofBeat(n).barText());
        }
    }
    // 43 beats is 20.6399994 s, below the double 20.64: a plain floor(t / 0.48) says 42.
    const double fortyThree = BeatPosition::beatStart(43);
    ASSERT_LT(fortyThree, 20.64);
    EXPECT_EQ(static_cast<int>(std::floor(fortyThree / 0.48)), 42);
    EXPECT_EQ(BeatPosition::at(fortyThree).beat, 43);
}

// Bars from 1, as musicians count: the overlay, the schedule and the chart all say so.
TEST(BeatPosition, BarsOfFourCountedFromOne) {
    EXPECT_EQ(BeatPosition::at(0).barText(), "1:1");
    EXPECT_EQ(BeatPosition::at(30.78).barText(), "17:1");  // beat 64
    EXPECT_EQ(BeatPosition::at(30.78).beat, 64);
    const BeatPosition at43 = BeatPosition::at(BeatPosition::beatStart(43) + 0.1);
    EXPECT_EQ(at43.barText(), "11:4");
    EXPECT_NEAR(at43.sinceBeat, 0.1, 1e-5);
    EXPECT_EQ(BeatPosition::at(-0.1).barText(), "0:4");    // the lead-in's last beat
    EXPECT_EQ(BeatPosition::at(-1.93).barText(), "-1:4");  // beat -5
    EXPECT_EQ(BeatPosition::at(-4.0).barText(), "-2:4");   // beat -9
}

}  // namespace
