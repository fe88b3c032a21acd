#include "base/beat_position.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// A row written at beat n starts at the single-precision n × 0.48; the overlay must call
// that moment beat n, and the moment just before it beat n − 1, all through the show.
TEST(BeatPosition, ARowWrittenAtBeatNStartsOnBeatN) {
    for (int n = -9; n <= 390; ++n) {
        const double start = BeatPosition::beatStart(n);
        EXPECT_EQ(BeatPosition::at(start).beat, n) << "at " << start;
        EXPECT_EQ(BeatPosition::at(std::nextafter(start, -1e9)).beat, n - 1) << "before " << start;
    }
    // 43 beats is 20.6399994 s, below the double 20.64: a plain floor(t / 0.48) says 42.
    const double fortyThree = static_cast<float>(43.0f * 0.48);
    ASSERT_LT(fortyThree, 20.64);
    EXPECT_EQ(static_cast<int>(std::floor(fortyThree / 0.48)), 42);
    EXPECT_EQ(BeatPosition::at(fortyThree).beat, 43);
}

TEST(BeatPosition, BarsOfFourCountDownwardBeforeZero) {
    const BeatPosition at43 = BeatPosition::at(BeatPosition::beatStart(43) + 0.1);
    EXPECT_EQ(at43.bar * 10 + at43.beatInBar, 103);
    EXPECT_NEAR(at43.sinceBeat, 0.1, 1e-9);
    const BeatPosition leadIn = BeatPosition::at(-1.93);  // beat -5
    EXPECT_EQ(leadIn.bar * 10 + leadIn.beatInBar, -20 + 3);
}

}  // namespace
