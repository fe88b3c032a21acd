#include "base/random.h"

#include <gtest/gtest.h>

TEST(Random, FirstValuesOfAnUnseededSequence) {
    resetRandom();
    // state 1 × 214013 + 2531011 = 2745024 → bits 16–30 = 41, and so on.
    EXPECT_EQ(nextRandom(), 41);
    EXPECT_EQ(nextRandom(), 18467);
    EXPECT_EQ(nextRandom(), 6334);
    EXPECT_EQ(nextRandom(), 26500);
    EXPECT_EQ(nextRandom(), 19169);
    resetRandom();
    EXPECT_EQ(nextRandom(), 41);
}
