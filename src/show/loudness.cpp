#include "show/loudness.h"

#include <cmath>
#include <cstdint>
#include <string>

#include "platform/sound/mp3_stream.h"

namespace {

constexpr int kRate = 44100;  // the mixer's rate; any file is converted to it
constexpr int kStepFrames = static_cast<int>(kRate * Loudness::kStepSeconds);

}  // namespace

Loudness::Loudness(const char* path) {
    platform::sound::Error error = platform::sound::Error::None;
    std::string reason;
    auto stream = platform::sound::Mp3Stream::open(path, kRate, error, reason);
    if (!stream) {
        return;
    }
    std::vector<int16_t> frames(static_cast<size_t>(kStepFrames) * 2);
    while (const int got = stream->read(frames.data(), kStepFrames)) {
        double sum = 0;
        for (int i = 0; i < got * 2; ++i) {
            const double sample = frames[i] / 32768.0;
            sum += sample * sample;
        }
        levels_.push_back(static_cast<float>(std::sqrt(sum / (got * 2))));
        if (got < kStepFrames) {
            break;
        }
    }
}
