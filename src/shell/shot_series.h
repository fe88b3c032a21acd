// The still frames of one --shot run, taken in show-time order, each from the first frame at
// or after its time: on a fixed step, the frame on the grid there (so a jump past it or a
// loop's first pass that starts beyond it does not take it), in real time the first frame
// that passes it.
#pragma once

#include <cstddef>
#include <vector>

#include "shell/options.h"

class ShotSeries {
public:
    // `frameRate` of the fixed step (0: real time); the show starts at `start`.
    ShotSeries(std::vector<Options::Shot> shots, double frameRate, double start);

    // The next shot due at the frame at `showTime`, or null; each is handed out once.
    const Options::Shot* takeDue(double showTime);
    // The frame at `showTime` is done with.
    void passed(double showTime) { previous_ = showTime; }
    bool done() const { return next_ >= shots_.size(); }
    // The time of the first shot not yet taken (valid while not done).
    double pendingTime() const { return shots_[next_].time; }

private:
    bool due(double shotTime, double showTime) const;

    std::vector<Options::Shot> shots_;
    std::size_t next_ = 0;
    double frameRate_;
    double previous_;  // the last frame's time
};
