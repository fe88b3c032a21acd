#include "layers/tower_beat.h"

#include <gtest/gtest.h>

#include "base/beat.h"

namespace {

// The show's tower: its origin is the window's start, 141 beats into the scene's time.
TEST(TowerBeat, CountsOnTheGridFromTheOriginAndBurstsOnTheThirdBeatAndEveryFourthAfter) {
    TowerBeat beat;
    beat.setOrigin(beats(141));
    EXPECT_EQ(beat.countAt(beats(141) - 0.01), 0);
    EXPECT_EQ(beat.countAt(beats(141)), 1) << "the origin's own beat counts first";
    EXPECT_EQ(beat.countAt(beats(142) - 1e-6), 1);
    EXPECT_EQ(beat.countAt(beats(142)), 2) << "a time computed as n x 0.48 is on beat n";
    EXPECT_EQ(beat.countAt(beats(141 + 57)), 58);

    EXPECT_EQ(beat.burstAt(beats(143) - 1e-6), TowerBeat::kNoBurst);
    EXPECT_EQ(beat.burstsAt(beats(143) - 1e-6), 0);
    EXPECT_DOUBLE_EQ(beat.burstAt(beats(143)), beats(143));
    EXPECT_DOUBLE_EQ(beat.burstAt(beats(147) - 1e-6), beats(143));
    EXPECT_DOUBLE_EQ(beat.burstAt(beats(147)), beats(147));
    EXPECT_EQ(beat.burstsAt(beats(198)), 14);
    for (double t = beats(143); t < beats(198); t += 0.01) {
        ASSERT_LE(beat.burstAt(t), t);
        ASSERT_LT(t - beat.burstAt(t), 4 * kBeatSeconds + 1e-9) << "a burst every bar, at " << t;
    }
}

TEST(TowerBeat, AnOriginBetweenBeatsCountsFromTheBeatBeforeIt) {
    TowerBeat beat;
    beat.setOrigin(1.0);
    EXPECT_EQ(beat.countAt(1.0), 1);
    EXPECT_EQ(beat.countAt(beats(3)), 2);
    EXPECT_DOUBLE_EQ(beat.burstAt(beats(4)), beats(4));
    EXPECT_EQ(beat.countAt(1e300), beat.countAt(1e300)) << "held, not overflowing";
    EXPECT_GT(beat.countAt(1e300), 0);
}

}  // namespace
