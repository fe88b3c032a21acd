// The still frames of one --shot run, taken in show-time order: several close moments cost
// one start-up and one stretch of frames instead of one each.
#pragma once

#include <cstddef>
#include <vector>

#include "shell/options.h"

class ShotSeries {
public:
    explicit ShotSeries(std::vector<Options::Shot> shots);

    // The next shot whose time the show has reached, or null; each is handed out once.
    const Options::Shot* takeDue(double showTime);
    bool done() const { return next_ >= shots_.size(); }
    // The time of the first shot not yet taken (valid while not done).
    double pendingTime() const { return shots_[next_].time; }

private:
    std::vector<Options::Shot> shots_;
    std::size_t next_ = 0;
};
