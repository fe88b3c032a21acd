// The page has no resampler: a file at another rate than the mixer's is reported as one
// that cannot be converted, and the show goes on without its music.
#include "platform/sound/rate_converter.h"

namespace platform::sound {

std::unique_ptr<RateConverter> RateConverter::create(long, long) {
    return nullptr;
}

RateConverter::RateConverter(soxr* handle, long inRate, long outRate)
    : handle_(handle), inRate_(inRate), outRate_(outRate) {}

RateConverter::~RateConverter() = default;

void RateConverter::convert(const float*, size_t, std::vector<int16_t>&) {}

void RateConverter::flush(std::vector<int16_t>&) {}

void RateConverter::reset() {}

int64_t RateConverter::outputTotal(int64_t inFrames) const {
    return inFrames;
}

int64_t RateConverter::inputTotal(int64_t outFrames) const {
    return outFrames;
}

}  // namespace platform::sound
