#include "layers/scene_steps.h"

#include <algorithm>
#include <cmath>

// Boundaries sit half a step off the step grid, so frames on that grid (at 60, 30 or any
// rate dividing it) never straddle one through rounding.
int64_t SceneSteps::indexAt(double time) {
    return static_cast<int64_t>(std::floor(time * kStepsPerSecond + 0.5));
}

void SceneSteps::setOrigin(double time) {
    origin_ = std::isfinite(time) ? time : 0.0;
    originIndex_ = indexAt(origin_);
}

int64_t SceneSteps::dueAt(double time) const {
    if (!std::isfinite(time)) {
        return 1;
    }
    const double bounded = std::clamp(time, origin_, origin_ + kLongestScene);
    return indexAt(bounded) - originIndex_ + 1;
}

double SceneSteps::timeOf(int64_t n) const {
    return static_cast<double>(originIndex_ + n - 1) / kStepsPerSecond;
}
