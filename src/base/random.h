// The show's random sequences: linear congruential generators (state × 214013 + 2531011,
// bits 16–30 of the new state) that are never seeded from outside. Each layer or list that
// draws owns one, started from a seed of its own, so what one draws never shifts another's,
// and one restarted from its seed draws the same values again.
#pragma once

#include <cstdint>
#include <string_view>

class Random {
public:
    explicit Random(uint32_t seed = 1) : state_(seed) {}

    // The next value, 0 … 32767.
    int next();
    void reseed(uint32_t seed) { state_ = seed; }

    // A seed for the sequence that a named layer or list draws from (a hash of the name).
    static uint32_t seedFor(std::string_view name);

private:
    uint32_t state_;
};
