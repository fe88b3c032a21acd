// Per-frame state of a layer (a light walking its path, spark lives, a flicker cycle)
// stepped at a fixed rate of show time instead of once per drawn frame, so the picture is
// the same at any frame rate and repeats exactly at a fixed step.
#pragma once

#include <cstdint>

class FixedStep {
public:
    static constexpr double kStepsPerSecond = 60.0;
    // A frame after a stall (or the first after a jump ahead) catches up at most this many.
    static constexpr int kMaxStepsPerFrame = 6;

    // How many steps are due at this time: one on the first call, then as many as step
    // boundaries passed since the last call (none when time went back), bounded.
    int stepsAt(double time);

private:
    bool started = false;
    int64_t lastIndex = 0;
};
