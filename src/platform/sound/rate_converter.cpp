#include "platform/sound/rate_converter.h"

#include <syn123.h>

#include <algorithm>
#include <cmath>

namespace platform::sound {

namespace {

constexpr int kChannels = 2;
constexpr size_t kChunkFrames = 4096;

int16_t toInt16(float sample) {
    float scaled = std::nearbyint(sample * 32768.0f);
    return static_cast<int16_t>(std::clamp(scaled, -32768.0f, 32767.0f));
}

}  // namespace

std::unique_ptr<RateConverter> RateConverter::create(long inRate, long outRate) {
    if (inRate <= 0 || outRate <= 0 || inRate > syn123_resample_maxrate() ||
        outRate > syn123_resample_maxrate()) {
        return nullptr;
    }
    int error = SYN123_OK;
    syn123_handle* handle = syn123_new(outRate, kChannels, MPG123_ENC_FLOAT_32, 0, &error);
    if (!handle)
        return nullptr;
    std::unique_ptr<RateConverter> converter(new RateConverter(handle, inRate, outRate));
    if (!converter->setUp())
        return nullptr;
    return converter;
}

RateConverter::RateConverter(syn123_struct* handle, long inRate, long outRate)
    : handle_(handle), inRate_(inRate), outRate_(outRate) {}

RateConverter::~RateConverter() {
    syn123_del(handle_);
}

bool RateConverter::setUp() {
    // The full-quality mode: the track is heard as is, so no "dirty" shortcut.
    if (syn123_setup_resample(handle_, inRate_, outRate_, kChannels, 0, 0) != SYN123_OK)
        return false;
    maxInput_ = std::min(kChunkFrames, syn123_resample_maxincount(inRate_, outRate_));
    if (maxInput_ == 0)
        return false;
    scratch_.resize(syn123_resample_count(inRate_, outRate_, maxInput_) * kChannels);
    return !scratch_.empty();
}

void RateConverter::convert(const float* in, size_t frames, std::vector<int16_t>& out) {
    while (frames > 0) {
        size_t chunk = std::min(frames, maxInput_);
        // syn123 reads its input without changing it, but takes it non-const.
        size_t made = syn123_resample(handle_, scratch_.data(), const_cast<float*>(in), chunk);
        for (size_t i = 0; i < made * kChannels; ++i)
            out.push_back(toInt16(scratch_[i]));
        in += chunk * kChannels;
        frames -= chunk;
    }
}

void RateConverter::reset() {
    // Changing anything but the rates clears the history; all zeros only tears it down.
    syn123_setup_resample(handle_, 0, 0, 0, 0, 0);
    setUp();
}

int64_t RateConverter::outputTotal(int64_t inFrames) const {
    return syn123_resample_total(inRate_, outRate_, static_cast<off_t>(inFrames));
}

int64_t RateConverter::inputTotal(int64_t outFrames) const {
    return syn123_resample_intotal(inRate_, outRate_, static_cast<off_t>(outFrames));
}

}  // namespace platform::sound
