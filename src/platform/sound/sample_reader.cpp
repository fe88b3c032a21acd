#include "platform/sound/sample_reader.h"

#include <algorithm>
#include <cstring>

#include "platform/sound/error.h"
#include "platform/sound/mp3_stream.h"

namespace platform::sound {

std::unique_ptr<SampleReader> SampleReader::open(const std::string& path, int rate) {
    Error error = Error::None;
    auto stream = Mp3Stream::open(path, rate, error);
    if (!stream) {
        return nullptr;
    }
    return std::unique_ptr<SampleReader>(new SampleReader(std::move(stream)));
}

SampleReader::SampleReader(std::unique_ptr<Mp3Stream> stream) : stream_(std::move(stream)) {}

SampleReader::~SampleReader() = default;

void SampleReader::read(int64_t first, int16_t* out, int frames) {
    if (frames <= 0) {
        return;
    }
    // Before the start: silence, then the file from its first frame.
    const int silent = static_cast<int>(std::clamp<int64_t>(-first, 0, frames));
    std::memset(out, 0, sizeof(int16_t) * 2 * static_cast<size_t>(silent));
    if (silent == frames) {
        return;
    }
    stream_->seekFrames(std::max<int64_t>(first, 0));
    stream_->read(out + 2 * static_cast<size_t>(silent), frames - silent);
}

}  // namespace platform::sound
