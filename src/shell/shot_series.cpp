#include "shell/shot_series.h"

#include <algorithm>
#include <utility>

ShotSeries::ShotSeries(std::vector<Options::Shot> shots) : shots_(std::move(shots)) {
    std::stable_sort(
        shots_.begin(), shots_.end(),
        [](const Options::Shot& a, const Options::Shot& b) { return a.time < b.time; });
}

const Options::Shot* ShotSeries::takeDue(double showTime) {
    if (done() || showTime < shots_[next_].time) {
        return nullptr;
    }
    return &shots_[next_++];
}
