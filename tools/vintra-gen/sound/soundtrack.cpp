#include "vintra-gen/sound/soundtrack.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

#include "vintra-gen/sound/drum_kit.h"
#include "vintra-gen/sound/mp3_encoder.h"

namespace gen {

namespace {

constexpr double kTwoPi = 6.283185307179586;
constexpr int kFramesPerBeat = 21168;  // 0.48 s at 44.1 kHz, exactly
constexpr float kOutputGain = 0.5f;

// The show's schedule, in seconds.
constexpr double kKickIn = 19.2;
constexpr double kBeatIn = 26.88;
constexpr double kPeakStart = 42.72;
constexpr double kPeakEnd = 77.76;
constexpr double kBreakdown = 94.56;
constexpr double kRiser = 114.72;
constexpr double kDrop = 122.4;
constexpr double kSecondPeakEnd = 160.32;
constexpr double kFadeStart = 168.0;
constexpr double kFadeEnd = 182.0;
constexpr double kOpeningEnd = 11.52;

struct Span {
    double from;
    double to;
};

bool within(double t, std::initializer_list<Span> spans) {
    return std::any_of(spans.begin(), spans.end(),
                       [t](const Span& s) { return t >= s.from && t < s.to; });
}

struct Point {
    double t;
    double value;
};

// Piecewise-linear automation; holds the end values outside the points.
double envelope(double t, std::initializer_list<Point> points) {
    const Point* previous = points.begin();
    if (t <= previous->t)
        return previous->value;
    for (const Point* p = points.begin() + 1; p != points.end(); ++p) {
        if (t < p->t) {
            double f = (t - previous->t) / (p->t - previous->t);
            return previous->value + f * (p->value - previous->value);
        }
        previous = p;
    }
    return previous->value;
}

double noteFrequency(int midi) {
    return 440.0 * std::pow(2.0, (midi - 69) / 12.0);
}

// A minor: Am, F, C, G, two bars each.
constexpr int kChords[4][3] = {{57, 60, 64}, {53, 57, 60}, {55, 60, 64}, {55, 59, 62}};
constexpr int kRoots[4] = {33, 29, 36, 31};

long beatAt(double seconds) {
    return std::lround(seconds / kBeatSeconds);
}

int chordAt(long beat) {
    return static_cast<int>((beat / 8) % 4);
}

class Synth {
public:
    explicit Synth(double seconds)
        : frames_(static_cast<size_t>(seconds * kSoundtrackRate)),
          left_(frames_),
          right_(frames_),
          kit_(kSoundtrackRate) {}

    std::vector<int16_t> render();

private:
    void drums();
    void drumBeat(long beat, double t);
    void roll();
    void bass();
    void arpeggio();
    void pad();
    void riser();
    std::vector<int16_t> master() const;

    void place(const std::vector<float>& sound, long frame, float gain, float pan);
    void tone(std::vector<float>& left, std::vector<float>& right, long frame, double frequency,
              double seconds, float gain, float pan, bool square);
    float noise();

    size_t frames_;
    std::vector<float> left_;
    std::vector<float> right_;
    DrumKit kit_;
    unsigned noiseState_ = 0x9E3779B9u;
};

std::vector<int16_t> Synth::render() {
    pad();
    drums();
    roll();
    bass();
    arpeggio();
    riser();
    return master();
}

// Adds a mono one-shot at `frame`, panned (−1 left … 1 right).
void Synth::place(const std::vector<float>& sound, long frame, float gain, float pan) {
    float gainLeft = gain * (1.0f - std::max(pan, 0.0f));
    float gainRight = gain * (1.0f + std::min(pan, 0.0f));
    size_t start = static_cast<size_t>(frame);
    size_t count = start < frames_ ? std::min(sound.size(), frames_ - start) : 0;
    for (size_t i = 0; i < count; ++i) {
        left_[start + i] += sound[i] * gainLeft;
        right_[start + i] += sound[i] * gainRight;
    }
}

void Synth::drums() {
    long beats = static_cast<long>(frames_ / kFramesPerBeat) + 1;
    for (long beat = 0; beat < beats; ++beat)
        drumBeat(beat, beat * kBeatSeconds);
}

void Synth::drumBeat(long beat, double t) {
    long frame = beat * kFramesPerBeat;
    long sixteenth = kFramesPerBeat / 4;
    bool peak = within(t, {{kPeakStart, kPeakEnd}, {kDrop, kSecondPeakEnd}});
    if (within(t, {{kKickIn, kBreakdown}, {kDrop, 176.64}})) {
        place(kit_.kick, frame, t < kBeatIn ? 0.7f : (peak ? 1.3f : 1.05f), 0.0f);
    }
    bool backbeat = beat % 4 == 1 || beat % 4 == 3;
    if (backbeat && within(t, {{kBeatIn, kBreakdown}, {kDrop, 172.8}})) {
        place(kit_.snare, frame, peak ? 0.55f : 0.42f, 0.05f);
        if (peak)
            place(kit_.clap, frame + 40, 0.5f, -0.1f);
    }
    if (within(t, {{kOpeningEnd, kBreakdown}, {kDrop, 176.64}})) {
        float hat = t < kBeatIn ? 0.35f : 0.5f;
        place(peak ? kit_.openHat : kit_.closedHat, frame + 2 * sixteenth, hat, 0.3f);
        if (peak || t >= kBeatIn) {
            place(kit_.closedHat, frame + sixteenth, peak ? 0.25f : 0.15f, -0.3f);
            place(kit_.closedHat, frame + 3 * sixteenth, peak ? 0.25f : 0.15f, -0.3f);
        }
    }
    if (beat == beatAt(kBeatIn) || beat == beatAt(kPeakStart) || beat == beatAt(kDrop)) {
        place(kit_.crash, frame, 0.55f, 0.0f);
    }
}

// The breakdown ends in a snare roll that doubles its pace towards the drop.
void Synth::roll() {
    long first = beatAt(kRiser);
    long last = beatAt(kDrop);
    for (long step = first * 4; step < last * 4; ++step) {
        bool fast = step >= (last - 8) * 4;
        if (!fast && step % 2 != 0)
            continue;
        float progress = static_cast<float>(step - first * 4) / ((last - first) * 4);
        place(kit_.snare, step * (kFramesPerBeat / 4), 0.12f + 0.4f * progress, 0.0f);
    }
}

// A note with an exponential decay through a one-pole low-pass filter.
void Synth::tone(std::vector<float>& left, std::vector<float>& right, long frame, double frequency,
                 double seconds, float gain, float pan, bool square) {
    size_t start = static_cast<size_t>(frame);
    size_t count = std::min(static_cast<size_t>(seconds * kSoundtrackRate),
                            start < frames_ ? frames_ - start : 0);
    double phase = 0;
    double increment = frequency / kSoundtrackRate;
    float filtered = 0;
    float gainLeft = gain * (1.0f - std::max(pan, 0.0f));
    float gainRight = gain * (1.0f + std::min(pan, 0.0f));
    for (size_t i = 0; i < count; ++i) {
        double t = static_cast<double>(i) / kSoundtrackRate;
        double decay = std::exp(-t * (square ? 16.0 : 7.0));
        double wave = square ? (phase < 0.5 ? 1.0 : -1.0)
                             : 0.55 * (2 * phase - 1) + 0.7 * std::sin(kTwoPi * phase);
        double cutoff = square ? 2600.0 : 220.0 + 1600.0 * decay;
        float a = static_cast<float>(1.0 - std::exp(-kTwoPi * cutoff / kSoundtrackRate));
        filtered += a * (static_cast<float>(wave * std::min(1.0, t * 400.0) * decay) - filtered);
        left[start + i] += filtered * gainLeft;
        right[start + i] += filtered * gainRight;
        phase += increment;
        if (phase >= 1)
            phase -= 1;
    }
}

// Off-beat bass on the chord's root, with an octave pickup in the peaks.
void Synth::bass() {
    long beats = static_cast<long>(frames_ / kFramesPerBeat) + 1;
    for (long beat = 0; beat < beats; ++beat) {
        double t = beat * kBeatSeconds;
        if (!within(t, {{kKickIn, kBreakdown}, {kDrop, 172.8}}))
            continue;
        long frame = beat * kFramesPerBeat;
        double root = noteFrequency(kRoots[chordAt(beat)]);
        bool peak = within(t, {{kPeakStart, kPeakEnd}, {kDrop, kSecondPeakEnd}});
        float gain = t < kBeatIn ? 0.3f : (peak ? 0.55f : 0.4f);
        tone(left_, right_, frame + kFramesPerBeat / 2, root, 0.22, gain, 0.0f, false);
        if (peak && beat % 2 == 1) {
            tone(left_, right_, frame + 3 * kFramesPerBeat / 4, root * 2, 0.1, 0.3f, 0.0f, false);
        }
    }
}

// Sixteenth-note chord tones an octave up, bounced left and right through a delay.
void Synth::arpeggio() {
    std::vector<float> busLeft(frames_);
    std::vector<float> busRight(frames_);
    static constexpr int kPattern[8] = {0, 1, 2, 1, 0, 2, 1, 2};
    long steps = static_cast<long>(frames_ / (kFramesPerBeat / 4)) + 1;
    for (long step = 0; step < steps; ++step) {
        double t = step * kBeatSeconds / 4;
        if (!within(t, {{kPeakStart, kPeakEnd}, {kBreakdown, kFadeStart}}))
            continue;
        int note = kChords[chordAt(step / 4)][kPattern[step % 8]] + 12;
        float gain = within(t, {{kBreakdown, kDrop}}) ? 0.2f : 0.14f;
        float pan = step % 2 == 0 ? -0.4f : 0.4f;
        tone(busLeft, busRight, step * (kFramesPerBeat / 4), noteFrequency(note), 0.11, gain, pan,
             true);
    }
    const size_t delay = kFramesPerBeat * 3 / 4;
    for (size_t i = 0; i < frames_; ++i) {
        if (i >= delay) {
            busLeft[i] += 0.35f * busRight[i - delay];
            busRight[i] += 0.35f * busLeft[i - delay];
        }
        left_[i] += busLeft[i];
        right_[i] += busRight[i];
    }
}

// Detuned saw chords that run through the whole track; the filter opens with the show.
void Synth::pad() {
    double phases[6] = {0, 0.17, 0.33, 0.5, 0.67, 0.83};
    float lowLeft = 0;
    float lowRight = 0;
    constexpr size_t kControl = 256;  // frames between automation updates
    float gain = 0;
    float a = 0;
    double increments[6] = {};
    for (size_t i = 0; i < frames_; ++i) {
        if (i % kControl == 0) {
            double t = static_cast<double>(i) / kSoundtrackRate;
            const int* chord = kChords[chordAt(static_cast<long>(i / kFramesPerBeat))];
            for (int v = 0; v < 6; ++v) {
                double detune = v % 2 == 0 ? 0.9985 : 1.0015;
                increments[v] = noteFrequency(chord[v / 2]) * detune / kSoundtrackRate;
            }
            gain = static_cast<float>(envelope(t, {{0, 0},
                                                   {3, 0.14},
                                                   {kOpeningEnd, 0.17},
                                                   {kBeatIn, 0.2},
                                                   {kPeakStart, 0.15},
                                                   {kBreakdown, 0.17},
                                                   {100, 0.3},
                                                   {kDrop, 0.3},
                                                   {kDrop + 0.01, 0.15}}));
            double cutoff = envelope(t, {{0, 350},
                                         {kOpeningEnd, 800},
                                         {kBeatIn, 1300},
                                         {kBreakdown, 1300},
                                         {100, 600},
                                         {kDrop, 3000},
                                         {kDrop + 0.01, 1300}});
            a = static_cast<float>(1.0 - std::exp(-kTwoPi * cutoff / kSoundtrackRate));
        }
        float sum[2] = {0, 0};
        for (int v = 0; v < 6; ++v) {
            sum[v % 2] += static_cast<float>(2 * phases[v] - 1);
            phases[v] += increments[v];
            if (phases[v] >= 1)
                phases[v] -= 1;
        }
        lowLeft += a * (sum[0] - lowLeft);
        lowRight += a * (sum[1] - lowRight);
        left_[i] += lowLeft * gain;
        right_[i] += lowRight * gain;
    }
}

float Synth::noise() {
    noiseState_ ^= noiseState_ << 13;
    noiseState_ ^= noiseState_ >> 17;
    noiseState_ ^= noiseState_ << 5;
    return static_cast<float>(noiseState_) / 2147483648.0f - 1.0f;
}

// Filtered noise that opens and swells over the last four bars before the drop.
void Synth::riser() {
    size_t first = static_cast<size_t>(kRiser * kSoundtrackRate);
    size_t last = std::min(frames_, static_cast<size_t>(kDrop * kSoundtrackRate));
    float low = 0;
    for (size_t i = first; i < last; ++i) {
        double progress = static_cast<double>(i - first) / (kDrop * kSoundtrackRate - first);
        double cutoff = 200.0 * std::pow(40.0, progress);
        float a = static_cast<float>(1.0 - std::exp(-kTwoPi * cutoff / kSoundtrackRate));
        low += a * (noise() - low);
        float gain = static_cast<float>(0.35 * progress * progress);
        left_[i] += low * gain;
        right_[i] += low * gain;
    }
}

std::vector<int16_t> Synth::master() const {
    std::vector<int16_t> out(frames_ * 2);
    for (size_t i = 0; i < frames_; ++i) {
        double t = static_cast<double>(i) / kSoundtrackRate;
        float fade = static_cast<float>(envelope(t, {{kFadeStart, 1}, {kFadeEnd, 0}}));
        float gain = kOutputGain * fade * 32767.0f;
        out[2 * i] = static_cast<int16_t>(std::clamp(left_[i] * gain, -32768.0f, 32767.0f));
        out[2 * i + 1] = static_cast<int16_t>(std::clamp(right_[i] * gain, -32768.0f, 32767.0f));
    }
    return out;
}

}  // namespace

std::vector<int16_t> synthesiseSoundtrack(double seconds) {
    if (!(seconds > 0))
        return {};
    return Synth(std::min(seconds, kSoundtrackSeconds)).render();
}

std::vector<uint8_t> makeSoundtrack() {
    return makeSoundtrackClip(kSoundtrackSeconds);
}

std::vector<uint8_t> makeSoundtrackClip(double seconds) {
    return encodeMp3(synthesiseSoundtrack(seconds), kSoundtrackRate, 192, 7);
}

}  // namespace gen
