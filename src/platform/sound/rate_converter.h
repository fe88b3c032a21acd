// Changes the sample rate of a stereo stream with mpg123's own resampler (syn123): 32-bit
// float frames in at the file's rate, 16-bit frames out at the mixer's. Keeps only the
// filter history between calls.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

struct syn123_struct;

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
    // Forgets the history, as after a jump in the input.
    void reset();

    // Output frames for a whole stream of `inFrames`, and the input that yields `outFrames`.
    int64_t outputTotal(int64_t inFrames) const;
    int64_t inputTotal(int64_t outFrames) const;

private:
    RateConverter(syn123_struct* handle, long inRate, long outRate);
    bool setUp();

    syn123_struct* handle_;
    long inRate_;
    long outRate_;
    size_t maxInput_;  // frames per resampler call
    std::vector<float> scratch_;
};

}  // namespace platform::sound
