#include "platform/sound/mp3_stream.h"

#include <mpg123.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <mutex>

#include "platform/path.h"

namespace platform::sound {

namespace {

constexpr int kChannels = 2;

void initialiseLibrary() {
    static std::once_flag once;
    std::call_once(once, [] { mpg123_init(); });
}

// Configures the handle for 16-bit stereo at `rate` with an exact seek index.
bool configure(mpg123_handle* handle, int rate) {
    long flags = MPG123_FORCE_SEEKABLE | MPG123_FORCE_STEREO | MPG123_QUIET | MPG123_GAPLESS;
    return mpg123_param(handle, MPG123_FLAGS, flags, 0) == MPG123_OK &&
           mpg123_format_none(handle) == MPG123_OK &&
           mpg123_format(handle, rate, MPG123_STEREO, MPG123_ENC_SIGNED_16) == MPG123_OK;
}

// An MPEG layer III stream with a fixed output format and a known, non-zero length.
bool isPlayableMp3(mpg123_handle* handle, int rate, off_t& length) {
    if (mpg123_scan(handle) != MPG123_OK)
        return false;
    long actualRate = 0;
    int channels = 0;
    int encoding = 0;
    if (mpg123_getformat(handle, &actualRate, &channels, &encoding) != MPG123_OK)
        return false;
    if (actualRate != rate || channels != kChannels || encoding != MPG123_ENC_SIGNED_16) {
        return false;
    }
    mpg123_frameinfo info{};
    if (mpg123_info(handle, &info) != MPG123_OK || info.layer != 3)
        return false;
    length = mpg123_length(handle);
    return length > 0;
}

}  // namespace

std::unique_ptr<Mp3Stream> Mp3Stream::open(const std::string& path, int rate, Error& error) {
    std::string resolved = resolvePath(path);
    FILE* probe = std::fopen(resolved.c_str(), "rb");
    if (!probe) {
        error = Error::FileNotFound;
        return nullptr;
    }
    std::fclose(probe);

    initialiseLibrary();
    int status = MPG123_OK;
    mpg123_handle* handle = mpg123_new(nullptr, &status);
    if (!handle) {
        error = Error::Memory;
        return nullptr;
    }
    off_t length = 0;
    if (!configure(handle, rate) || mpg123_open(handle, resolved.c_str()) != MPG123_OK ||
        !isPlayableMp3(handle, rate, length) || mpg123_seek(handle, 0, SEEK_SET) < 0) {
        mpg123_delete(handle);
        error = Error::UnknownFormat;
        return nullptr;
    }
    error = Error::None;
    return std::unique_ptr<Mp3Stream>(new Mp3Stream(handle, rate, length));
}

Mp3Stream::Mp3Stream(mpg123_handle_struct* handle, int rate, int64_t length)
    : handle_(handle), rate_(rate), length_(length) {}

Mp3Stream::~Mp3Stream() {
    mpg123_close(handle_);
    mpg123_delete(handle_);
}

int Mp3Stream::read(int16_t* out, int frames) {
    int filled = 0;
    if (lead_ > 0) {
        int silent = static_cast<int>(std::min<int64_t>(lead_, frames));
        std::memset(out, 0, sizeof(int16_t) * kChannels * silent);
        lead_ -= silent;
        filled = silent;
    }
    int decoded = 0;
    bool rewound = false;  // at most once per call, so an undecodable file cannot spin
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
    if (position_ >= length_)
        return 0;
    size_t bytes = 0;
    int status = mpg123_read(handle_, out, sizeof(int16_t) * kChannels * frames, &bytes);
    int got = static_cast<int>(bytes / (sizeof(int16_t) * kChannels));
    if (got == 0 && status != MPG123_OK && status != MPG123_NEW_FORMAT) {
        position_ = length_;  // end of file or a damaged tail: the stream is over
    }
    position_ += got;
    return got;
}

void Mp3Stream::seekMilliseconds(int milliseconds) {
    int64_t target = static_cast<int64_t>(milliseconds) * rate_ / 1000;
    lead_ = target < 0 ? -target : 0;
    target = std::clamp<int64_t>(target, 0, length_);
    off_t reached = mpg123_seek(handle_, static_cast<off_t>(target), SEEK_SET);
    position_ = reached < 0 ? length_ : reached;
}

}  // namespace platform::sound
