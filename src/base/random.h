// The show's one random sequence: a linear congruential generator that is never seeded,
// so every run draws the same values in the same order.
#pragma once

// The next value, 0 … 32767 (bits 16–30 of state × 214013 + 2531011).
int nextRandom();

// Tests: back to the state of a fresh process.
void resetRandom();
