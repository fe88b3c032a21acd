// MP3 streams in the browser: the page decodes every MP3 of the package with the
// browser's own decoder (decodeAudioData) before the program starts, and a stream holds
// the whole track as 16-bit stereo frames at the mixer's rate. Positions and seeks are
// then exact, as mpg123's seek index makes them on the desktop. The members the desktop
// decoder uses for its resampler hold the decoded track here.
#include <emscripten/emscripten.h>

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>

#include "platform/path.h"
#include "platform/sound/mp3_stream.h"
#include "platform/sound/rate_converter.h"

namespace platform::sound {
namespace {

constexpr int kChannels = 2;

// The track the page decoded from `path`, as frames at `rate`: the frame count (the
// samples are copied into a new buffer at *samples), -1 when the page decoded it at
// another rate, -2 when the browser could not decode it (its reason at *reason).
// clang-format off
EM_JS(double, decodedTrack, (const char* path, int rate, int16_t** samples, char** reason), {
    const audio = Module["tarvelAudio"];
    const entry = audio && audio.decoded.get(UTF8ToString(path));
    if (!entry || entry.error) {
        const why = entry ? entry.error : "the page did not decode it";
        const size = lengthBytesUTF8(why) + 1;
        HEAPU32[reason >> 2] = _malloc(size);
        stringToUTF8(why, HEAPU32[reason >> 2], size);
        return -2;
    }
    const buffer = entry.buffer;
    if (buffer.sampleRate != rate)
        return -1;
    const frames = buffer.length;
    const left = buffer.getChannelData(0);
    const right = buffer.getChannelData(buffer.numberOfChannels > 1 ? 1 : 0);
    const pointer = _malloc(frames * 4);
    if (!pointer)
        return -2;
    const out = HEAP16.subarray(pointer >> 1, (pointer >> 1) + frames * 2);
    function toInt16(x) { return Math.max(-32768, Math.min(32767, Math.round(x * 32768))); }
    for (let i = 0; i < frames; ++i) {
        out[2 * i] = toInt16(left[i]);
        out[2 * i + 1] = toInt16(right[i]);
    }
    HEAPU32[samples >> 2] = pointer;
    return frames;
});
// clang-format on

std::string absolutePath(const std::string& path) {
    if (!path.empty() && path[0] == '/')
        return path;
    char directory[PATH_MAX];
    if (!getcwd(directory, sizeof directory))
        return path;
    std::string relative = path.rfind("./", 0) == 0 ? path.substr(2) : path;
    std::string base = directory;
    return base == "/" ? "/" + relative : base + "/" + relative;
}

}  // namespace

std::unique_ptr<Mp3Stream> Mp3Stream::open(const std::string& path, int rate, Error& error) {
    std::string reason;
    return open(path, rate, error, reason);
}

std::unique_ptr<Mp3Stream> Mp3Stream::open(const std::string& path, int rate, Error& error,
                                           std::string& reason) {
    const std::string resolved = resolvePath(path);
    FILE* probe = std::fopen(resolved.c_str(), "rb");
    if (!probe) {
        error = Error::FileNotFound;
        reason = std::strerror(errno);
        return nullptr;
    }
    std::fclose(probe);
    int16_t* samples = nullptr;
    char* why = nullptr;
    const double frames = decodedTrack(absolutePath(resolved).c_str(), rate, &samples, &why);
    if (frames < 0) {
        error = Error::UnknownFormat;
        reason = frames == -1 ? "the page decoded it at another rate" : (why ? why : "");
        std::free(why);
        return nullptr;
    }
    auto stream = std::unique_ptr<Mp3Stream>(
        new Mp3Stream(nullptr, rate, rate, static_cast<int64_t>(frames), nullptr));
    stream->converted_.assign(samples, samples + static_cast<size_t>(frames) * kChannels);
    std::free(samples);
    error = Error::None;
    reason.clear();
    return stream;
}

Mp3Stream::Mp3Stream(mpg123_handle_struct* handle, int rate, long fileRate, int64_t fileLength,
                     std::unique_ptr<RateConverter> converter)
    : handle_(handle),
      rate_(rate),
      fileRate_(fileRate),
      length_(fileLength),
      converter_(std::move(converter)) {}

Mp3Stream::~Mp3Stream() = default;

// The page decodes at the mixer's rate: no stream ever holds a resampler.
RateConverter::~RateConverter() = default;

int Mp3Stream::read(int16_t* out, int frames) {
    int filled = 0;
    if (lead_ > 0) {
        int silent = static_cast<int>(std::min<int64_t>(lead_, frames));
        std::memset(out, 0, sizeof(int16_t) * kChannels * silent);
        lead_ -= silent;
        filled = silent;
    }
    int decoded = 0;
    bool rewound = false;
    while (filled < frames) {
        int got = decode(out + filled * kChannels, frames - filled);
        if (got == 0 && looping && !rewound) {
            seekMilliseconds(0);
            rewound = true;
            continue;
        }
        if (got == 0)
            break;
        filled += got;
        decoded += got;
    }
    std::memset(out + filled * kChannels, 0, sizeof(int16_t) * kChannels * (frames - filled));
    return decoded;
}

int Mp3Stream::decode(int16_t* out, int frames) {
    const int got = static_cast<int>(std::clamp<int64_t>(length_ - position_, 0, frames));
    std::copy_n(converted_.data() + position_ * kChannels, static_cast<size_t>(got) * kChannels,
                out);
    position_ += got;
    return got;
}

int Mp3Stream::decodeConverted(int16_t* out, int frames) {
    return decode(out, frames);
}

bool Mp3Stream::convertMore() {
    return false;
}

bool Mp3Stream::rateChanged(int) const {
    return false;
}

void Mp3Stream::seekMilliseconds(int milliseconds) {
    seekFrames(static_cast<int64_t>(milliseconds) * rate_ / 1000);
}

void Mp3Stream::seekFrames(int64_t target) {
    lead_ = target < 0 ? -target : 0;
    position_ = std::clamp<int64_t>(target, 0, length_);
}

}  // namespace platform::sound
