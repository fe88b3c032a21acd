#include "layers/tower_beat.h"

#include <cmath>

#include "base/beat.h"

namespace {

// The latest grid time at or before t. The slack keeps a time computed as n × 0.48 on
// beat n, not a rounding below it.
double gridAtOrBefore(double t) {
    return std::floor(t / kBeatSeconds + 1e-9) * kBeatSeconds;
}

}  // namespace

void TowerBeat::count(double t) {
    ++beatCount;
    lastBeat = gridAtOrBefore(t);
}

bool TowerBeat::advance(double t) {
    if (!std::isfinite(t)) {
        return false;
    }
    if (t < lastBeat) {
        // Back in time (a seek): one beat where the scene is now, and a burst that lies
        // ahead has not happened yet.
        count(t);
        if (burstTime > t) {
            burstTime = kNoBurst;
        }
    } else if (t - lastBeat > kBeatSeconds) {
        count(t);
    }
    bool burst = false;
    if (beatCount % 4 == 3 && !burstArmed) {
        burstTime = t;
        burstArmed = true;
        ++burstCount;
        burst = true;
    }
    if (beatCount % 4 == 0) {
        burstArmed = false;
    }
    return burst;
}
