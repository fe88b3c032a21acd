#include "base/beat_position.h"

#include <algorithm>
#include <cmath>

namespace {

// A list row's beat starts at the single-precision n × 0.48, the composition's at the double
// one; the two differ by up to about 1e-5 s late in the show. A moment this close below a
// beat counts as that beat, so both are beat n (a frame is a thousand times longer).
constexpr double kOnTheBeat = 5e-5;  // s

}  // namespace

double BeatPosition::beatStart(int beat) {
    return static_cast<float>(static_cast<float>(beat) * kBeatSeconds);
}

BeatPosition BeatPosition::ofBeat(int beat) {
    BeatPosition position;
    position.beat = beat;
    const int barsBefore =
        beat >= 0 ? beat / kBeatsPerBar : -((-beat + kBeatsPerBar - 1) / kBeatsPerBar);
    position.bar = barsBefore + 1;
    position.beatInBar = beat - barsBefore * kBeatsPerBar + 1;
    return position;
}

BeatPosition BeatPosition::at(double showTime) {
    if (!std::isfinite(showTime) || std::fabs(showTime) > 1e8) {
        return ofBeat(0);
    }
    const int beat = static_cast<int>(std::floor((showTime + kOnTheBeat) / kBeatSeconds));
    BeatPosition position = ofBeat(beat);
    position.sinceBeat = std::max(0.0, showTime - beats(beat));
    return position;
}

std::string BeatPosition::barText() const {
    return std::to_string(bar) + ":" + std::to_string(beatInBar);
}
