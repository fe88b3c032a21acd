#include "layers/tower_beat.h"

#include <cmath>

#include "base/beat.h"

namespace {

// The slack keeps a time computed as n × 0.48 on beat n, not a rounding below it.
constexpr double kGridSlack = 1e-9;
constexpr int32_t kFirstBurstBeat = 3;  // counted beats 3, 7, 11, …
constexpr int32_t kBeatsPerBurst = 4;
constexpr double kFarBeats = 1e8;  // beyond any scene: held here instead of overflowing

double beatsSince(double t, double from) {
    return std::floor((t - from) / kBeatSeconds + kGridSlack);
}

}  // namespace

void TowerBeat::setOrigin(double t) {
    firstBeat_ = std::isfinite(t) ? beatsSince(t, 0) * kBeatSeconds : 0.0;
}

int32_t TowerBeat::countAt(double t) const {
    if (!(t >= firstBeat_)) {
        return 0;
    }
    return static_cast<int32_t>(std::fmin(beatsSince(t, firstBeat_), kFarBeats)) + 1;
}

int32_t TowerBeat::burstsAt(double t) const {
    const int32_t count = countAt(t);
    return count < kFirstBurstBeat ? 0 : (count - kFirstBurstBeat) / kBeatsPerBurst + 1;
}

double TowerBeat::burstAt(double t) const {
    const int32_t bursts = burstsAt(t);
    if (bursts == 0) {
        return kNoBurst;
    }
    const int32_t beat = kFirstBurstBeat + (bursts - 1) * kBeatsPerBurst;  // counted from 1
    return firstBeat_ + (beat - 1) * kBeatSeconds;
}
