#include "layers/fixed_step.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kTimeLimit = 1e9;  // seconds; beyond this the step index would overflow

}  // namespace

int FixedStep::stepsAt(double time) {
    if (!(std::fabs(time) < kTimeLimit)) {
        return 0;
    }
    // Boundaries sit half a step off the step grid, so frames on that grid (a fixed step of
    // 60 or 30 per second) never straddle one through rounding.
    const auto index = static_cast<int64_t>(std::floor(time * kStepsPerSecond + 0.5));
    if (!started) {
        started = true;
        lastIndex = index;
        return 1;
    }
    const int64_t due = index - lastIndex;
    lastIndex = index;
    return static_cast<int>(std::clamp<int64_t>(due, 0, kMaxStepsPerFrame));
}
