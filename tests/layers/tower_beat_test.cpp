#include "layers/tower_beat.h"

#include <gtest/gtest.h>

#include <cmath>

#include "base/beat.h"

namespace {

bool onGrid(double time) {
    const double beats = time / kBeatSeconds;
    return std::fabs(beats - std::round(beats)) < 1e-9;
}

// The whole tower window at a fixed frame rate, as the show draws it: show time i / fps,
// local time counted from the start of the scene's timeline.
TEST(TowerBeat, CountedBeatsAndBurstsStayWithinOneFrameOfTheMusicAtAnyFrameRate) {
    for (const int fps : {24, 30, 50, 60, 144}) {
        SCOPED_TRACE(testing::Message() << fps << " fps");
        const double frame = 1.0 / fps;
        TowerBeat counter;
        int counted = 0;
        int bursts = 0;
        double previousBeat = 0;
        int32_t previousCount = 0;
        for (long i = 0;; ++i) {
            const double show = static_cast<double>(i) / fps;
            if (show <= beats(section::kTowerStart)) {
                continue;
            }
            if (show >= beats(section::kTowerEnd)) {
                break;
            }
            const double t = show - beats(section::kFirstDrop);
            const bool burst = counter.advance(t);
            if (counter.beatCount != previousCount) {
                ASSERT_EQ(counter.beatCount, previousCount + 1) << "one beat a frame, at " << t;
                ASSERT_TRUE(onGrid(counter.lastBeat)) << counter.lastBeat;
                ASSERT_GE(t, counter.lastBeat - 1e-9);
                ASSERT_LE(t - counter.lastBeat, frame + 1e-9) << "counted late, at " << t;
                if (counted > 0) {
                    ASSERT_NEAR(counter.lastBeat - previousBeat, kBeatSeconds, 1e-9)
                        << "a beat skipped, at " << t;
                }
                previousBeat = counter.lastBeat;
                previousCount = counter.beatCount;
                ++counted;
            }
            if (burst) {
                EXPECT_EQ(counter.beatCount % 4, 3);
                EXPECT_EQ(counter.burstTime, t);
                ++bursts;
            }
        }
        // The window holds 58 beats; the first frame counts the one it starts on.
        EXPECT_EQ(counted, section::kTowerEnd - section::kTowerStart);
        EXPECT_EQ(bursts, counter.burstCount);
        EXPECT_GE(bursts, 14);
    }
}

TEST(TowerBeat, ASeekEitherWayCountsOneBeatAndBackwardsForgetsABurstAhead) {
    TowerBeat counter;
    for (int i = 1; i <= 6 * 60; ++i) {
        counter.advance(i / 60.0);
    }
    ASSERT_GT(counter.burstTime, 5.0);
    const int32_t before = counter.beatCount;

    counter.advance(50.3);  // forward
    EXPECT_EQ(counter.beatCount, before + 1);
    EXPECT_DOUBLE_EQ(counter.lastBeat, beats(104));

    counter.advance(1.0);  // backward
    EXPECT_EQ(counter.beatCount, before + 2);
    EXPECT_DOUBLE_EQ(counter.lastBeat, beats(2));
    EXPECT_GE(counter.sinceBurst(1.0), 0) << "no burst ahead of the scene's time";
    counter.advance(1.0 + 1 / 60.0);
    EXPECT_EQ(counter.beatCount, before + 2) << "the beats go on from there, not from 50.3";
    counter.advance(1.45);
    EXPECT_EQ(counter.beatCount, before + 3);
    EXPECT_DOUBLE_EQ(counter.lastBeat, beats(3));
}

}  // namespace
