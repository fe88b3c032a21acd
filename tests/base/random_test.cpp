#include "base/random.h"

#include <gtest/gtest.h>

TEST(Random, FirstValuesOfASequenceFromSeedOne) {
    Random sequence;
    // state 1 × 214013 + 2531011 = 2745024 → bits 16–30 = 41, and so on.
    EXPECT_EQ(sequence.next(), 41);
    EXPECT_EQ(sequence.next(), 18467);
    EXPECT_EQ(sequence.next(), 6334);
    EXPECT_EQ(sequence.next(), 26500);
    EXPECT_EQ(sequence.next(), 19169);
    sequence.reseed(1);
    EXPECT_EQ(sequence.next(), 41);
}
