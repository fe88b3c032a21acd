// The soundtrack's one-shot sounds (kick, snare, clap, hats, crash), rendered once as mono
// samples at 44.1 kHz from a fixed noise sequence so every run makes the same track.
#pragma once

#include <vector>

namespace gen {

class DrumKit {
public:
    explicit DrumKit(int rate);

    std::vector<float> kick;
    std::vector<float> snare;
    std::vector<float> clap;
    std::vector<float> closedHat;
    std::vector<float> openHat;
    std::vector<float> crash;

private:
    float noise();
    std::vector<float> makeKick() const;
    std::vector<float> makeSnare();
    std::vector<float> makeClap();
    std::vector<float> makeHat(double seconds, double decay);

    int rate_;
    unsigned noiseState_ = 0x2545F491u;
};

}  // namespace gen
