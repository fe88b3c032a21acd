// The music's loudness over show time, for the schedule's chart: the RMS level of the
// decoded MP3 in steps of 0.1 s, from 0 (silence) to 1 (a full-scale square wave).
#pragma once

#include <vector>

class Loudness {
public:
    static constexpr double kStepSeconds = 0.1;

    // Decodes the whole file; no levels when it cannot be decoded.
    explicit Loudness(const char* path);

    // Level i covers show time i × kStepSeconds up to the next step (the music starts at 0).
    const std::vector<float>& levels() const { return levels_; }

private:
    std::vector<float> levels_;
};
