#include "vintra-gen/sound/drum_kit.h"

#include <cmath>

namespace gen {

namespace {

constexpr double kTwoPi = 6.283185307179586;

}  // namespace

DrumKit::DrumKit(int rate) : rate_(rate) {
    kick = makeKick();
    snare = makeSnare();
    clap = makeClap();
    closedHat = makeHat(0.07, 55.0);
    openHat = makeHat(0.35, 9.0);
    crash = makeHat(2.2, 2.0);
}

// White noise in −1 … 1 from a xorshift generator with a fixed start.
float DrumKit::noise() {
    noiseState_ ^= noiseState_ << 13;
    noiseState_ ^= noiseState_ >> 17;
    noiseState_ ^= noiseState_ << 5;
    return static_cast<float>(noiseState_) / 2147483648.0f - 1.0f;
}

// A sine that falls from about 150 Hz to 45 Hz: the body of a four-on-the-floor kick. The
// body holds at full strength for a tenth of a second and is gone well before the off-beat,
// driven into a near-square, so the loudness the morphing model follows leaps on the kick.
std::vector<float> DrumKit::makeKick() const {
    std::vector<float> out(static_cast<size_t>(0.3 * rate_));
    double phase = 0;
    for (size_t i = 0; i < out.size(); ++i) {
        double t = static_cast<double>(i) / rate_;
        double frequency = 45.0 + 110.0 * std::exp(-t * 30.0);
        phase += kTwoPi * frequency / rate_;
        double hold = t < 0.1 ? 1.0 : std::exp(-(t - 0.1) * 30.0);
        double body = std::sin(phase) * hold;
        double click = t < 0.004 ? (1.0 - t / 0.004) * 0.5 : 0.0;
        out[i] = static_cast<float>(std::tanh(2.5 * (body + click)));
    }
    return out;
}

std::vector<float> DrumKit::makeSnare() {
    std::vector<float> out(static_cast<size_t>(0.3 * rate_));
    float previous = 0;
    for (size_t i = 0; i < out.size(); ++i) {
        double t = static_cast<double>(i) / rate_;
        float white = noise();
        float bright = white - previous;  // first difference: tilts the noise upwards
        previous = white;
        double tone = std::sin(kTwoPi * 185.0 * t) * std::exp(-t * 22.0);
        out[i] = static_cast<float>(0.45 * tone + 0.5 * bright * std::exp(-t * 15.0));
    }
    return out;
}

// Three quick bursts and a tail, as hands clapping slightly apart.
std::vector<float> DrumKit::makeClap() {
    std::vector<float> out(static_cast<size_t>(0.32 * rate_));
    float previous = 0;
    for (size_t i = 0; i < out.size(); ++i) {
        double t = static_cast<double>(i) / rate_;
        float white = noise();
        float bright = white - previous;
        previous = white;
        double burst = std::fmod(t, 0.011);
        double envelope =
            t < 0.033 ? std::exp(-burst * 260.0) : 0.7 * std::exp(-(t - 0.033) * 13.0);
        out[i] = static_cast<float>(0.6 * bright * envelope);
    }
    return out;
}

// Twice-differenced noise leaves mostly the top octaves: hats and cymbals.
std::vector<float> DrumKit::makeHat(double seconds, double decay) {
    std::vector<float> out(static_cast<size_t>(seconds * rate_));
    float previous = 0;
    float previousDifference = 0;
    for (size_t i = 0; i < out.size(); ++i) {
        double t = static_cast<double>(i) / rate_;
        float white = noise();
        float difference = white - previous;
        float second = difference - previousDifference;
        previous = white;
        previousDifference = difference;
        out[i] = static_cast<float>(0.3 * second * std::exp(-t * decay));
    }
    return out;
}

}  // namespace gen
