#include "layers/fixed_step.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// Steps due over `seconds` of frames `rate` per second, starting at `start`.
int stepsOver(FixedStep& steps, double start, double rate, double seconds) {
    int total = 0;
    const int frames = static_cast<int>(seconds * rate);
    for (int i = 1; i <= frames; ++i) {
        total += steps.stepsAt(start + i / rate);
    }
    return total;
}

TEST(FixedStep, SixtyStepsASecondAtAnyFrameRate) {
    for (const double rate : {60.0, 30.0, 50.0, 144.0, 24.0}) {
        FixedStep steps;
        ASSERT_EQ(steps.stepsAt(67.68), 1) << "the first frame steps once";
        EXPECT_EQ(stepsOver(steps, 67.68, rate, 10.0), 600) << rate << " frames a second";
    }
    // On the step grid every frame gets exactly its share: no frame skips one through
    // rounding and the next makes up for it.
    FixedStep grid;
    grid.stepsAt(67.68);
    for (int i = 1; i < 2000; ++i) {
        ASSERT_EQ(grid.stepsAt(67.68 + i / 60.0), 1) << "frame " << i << " at 60 fps";
    }
    for (int i = 1; i < 2000; ++i) {
        ASSERT_EQ(grid.stepsAt(67.68 + 1999 / 60.0 + i / 30.0), 2) << "frame " << i << " at 30";
    }
}

TEST(FixedStep, StallsCatchUpBoundedAndTimeGoingBackStepsNothing) {
    FixedStep steps;
    steps.stepsAt(0);
    EXPECT_EQ(steps.stepsAt(5.0), FixedStep::kMaxStepsPerFrame);
    EXPECT_EQ(steps.stepsAt(1.0), 0);
    EXPECT_EQ(steps.stepsAt(1.0 + 1 / 60.0), 1) << "counts on from where time went back";
    EXPECT_EQ(steps.stepsAt(1e300), 0);
    EXPECT_EQ(steps.stepsAt(std::nan("")), 0);
}

}  // namespace
