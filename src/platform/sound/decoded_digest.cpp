#include "platform/sound/decoded_digest.h"

#include <cinttypes>
#include <cstdio>
#include <vector>

#include "platform/sound/error.h"
#include "platform/sound/mp3_stream.h"

namespace platform::sound {

std::string decodedDigest(const std::string& path, int rate) {
    Error error = Error::None;
    auto stream = Mp3Stream::open(path, rate, error);
    if (!stream)
        return "";
    constexpr int kFrames = 4096;
    std::vector<int16_t> block(2 * kFrames);
    uint64_t hash = 14695981039346656037ull;
    int64_t frames = 0;
    while (!stream->atEnd()) {
        const int got = stream->read(block.data(), kFrames);
        if (got == 0)
            break;
        const auto* bytes = reinterpret_cast<const unsigned char*>(block.data());
        for (size_t i = 0; i < static_cast<size_t>(got) * 2 * sizeof(int16_t); ++i) {
            hash ^= bytes[i];
            hash *= 1099511628211ull;
        }
        frames += got;
    }
    char text[48];
    std::snprintf(text, sizeof text, "%" PRId64 ":%016" PRIx64, frames, hash);
    return text;
}

}  // namespace platform::sound
