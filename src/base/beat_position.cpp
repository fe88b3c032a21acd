#include "base/beat_position.h"

#include <cmath>

double BeatPosition::beatStart(int beat) {
    return static_cast<float>(static_cast<float>(beat) * kBeatSeconds);
}

BeatPosition BeatPosition::at(double showTime) {
    BeatPosition position;
    if (!std::isfinite(showTime) || std::fabs(showTime) > 1e8) {
        return position;
    }
    // The double quotient can land one beat off the single-precision boundaries.
    int beat = static_cast<int>(std::floor(showTime / kBeatSeconds));
    if (beatStart(beat) > showTime) {
        --beat;
    } else if (beatStart(beat + 1) <= showTime) {
        ++beat;
    }
    position.beat = beat;
    position.bar = beat >= 0 ? beat / kBeatsPerBar : -((-beat + kBeatsPerBar - 1) / kBeatsPerBar);
    position.beatInBar = beat - position.bar * kBeatsPerBar;
    position.sinceBeat = showTime - beatStart(beat);
    return position;
}
