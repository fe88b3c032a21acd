#include "shell/shot_series.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "show/show_clock.h"

ShotSeries::ShotSeries(std::vector<Options::Shot> shots, double frameRate, double start)
    : shots_(std::move(shots)), frameRate_(frameRate), previous_(std::nextafter(start, -HUGE_VAL)) {
    std::stable_sort(
        shots_.begin(), shots_.end(),
        [](const Options::Shot& a, const Options::Shot& b) { return a.time < b.time; });
}

bool ShotSeries::due(double shotTime, double showTime) const {
    if (frameRate_ > 0) {
        return ShowClock::frameAt(showTime, frameRate_) ==
               ShowClock::frameAtOrAfter(shotTime, frameRate_);
    }
    return previous_ < shotTime && shotTime <= showTime;
}

const Options::Shot* ShotSeries::takeDue(double showTime) {
    if (done() || !due(shots_[next_].time, showTime)) {
        return nullptr;
    }
    return &shots_[next_++];
}
