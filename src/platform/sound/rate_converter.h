// Changes the sample rate of a stereo stream with libsoxr: 32-bit float frames in at the
// file's rate, 16-bit frames out at the mixer's. Keeps only the filter state between calls;
// the resampler's own delay is taken out, so output frame n is input time n / output rate.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

struct soxr;

namespace platform::sound {

class RateConverter {
public:
    // Null when the resampler cannot take these rates.
    static std::unique_ptr<RateConverter> create(long inRate, long outRate);
    ~RateConverter();
    RateConverter(const RateConverter&) = delete;
    RateConverter& operator=(const RateConverter&) = delete;

    // Appends what `frames` more input frames (interleaved pairs, ±1.0) yield to `out`.
    void convert(const float* in, size_t frames, std::vector<int16_t>& out);
    // The end of the input: appends what the filter still holds.
    void flush(std::vector<int16_t>& out);
    // Forgets the state, as after a jump in the input.
    void reset();

    // Output frames for a whole stream of `inFrames`, and the input that yields `outFrames`.
    int64_t outputTotal(int64_t inFrames) const;
    int64_t inputTotal(int64_t outFrames) const;

private:
    RateConverter(soxr* handle, long inRate, long outRate);
    void process(const float* in, size_t frames, std::vector<int16_t>& out);

    soxr* handle_;
    long inRate_;
    long outRate_;
};

}  // namespace platform::sound
