#include "platform/sound/mp3_stream.h"

#include <mpg123.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <mutex>

#include "platform/path.h"
#include "platform/sound/rate_converter.h"

namespace platform::sound {

namespace {

constexpr int kChannels = 2;
constexpr size_t kConvertChunkFrames = 4096;
// The portable C decoder, the only one the page has: the desktop picks it too, so both
// decode to the same samples (cmake/mpg123.cmake builds the library for both).
constexpr const char* kDecoder = "generic";

std::atomic<int64_t> framesDecoded{0};

void initialiseLibrary() {
    static std::once_flag once;
    std::call_once(once, [] { mpg123_init(); });
}

struct HandleDeleter {
    void operator()(mpg123_handle* handle) const {
        mpg123_close(handle);
        mpg123_delete(handle);
    }
};
using Handle = std::unique_ptr<mpg123_handle, HandleDeleter>;

// Stereo output in `encoding` with an exact seek index. Every rate is allowed: frames at
// another rate inside the file then report a new format (and are dropped) instead of making
// the library print its complaint on the terminal.
bool configure(mpg123_handle* handle, int encoding) {
    long flags = MPG123_FORCE_SEEKABLE | MPG123_FORCE_STEREO | MPG123_QUIET | MPG123_GAPLESS;
    if (mpg123_param(handle, MPG123_FLAGS, flags, 0) != MPG123_OK ||
        mpg123_param(handle, MPG123_RESYNC_LIMIT, Mp3Stream::kResyncLimit, 0) != MPG123_OK ||
        mpg123_format_none(handle) != MPG123_OK)
        return false;
    const long* rates = nullptr;
    size_t count = 0;
    mpg123_rates(&rates, &count);
    for (size_t i = 0; i < count; ++i) {
        if (mpg123_format(handle, rates[i], MPG123_STEREO, encoding) != MPG123_OK)
            return false;
    }
    return true;
}

struct Failure {
    Error error;
    std::string reason;
};

Handle openHandle(const std::string& path, int encoding, Failure& failure) {
    int status = MPG123_OK;
    Handle handle(mpg123_new(kDecoder, &status));
    if (!handle) {
        failure = {Error::Memory, mpg123_plain_strerror(status)};
        return nullptr;
    }
    if (!configure(handle.get(), encoding) ||
        mpg123_open(handle.get(), path.c_str()) != MPG123_OK) {
        failure = {Error::UnknownFormat, mpg123_strerror(handle.get())};
        return nullptr;
    }
    return handle;
}

// The file's own sample rate, from its first frame; 0 with `failure` set if it has none.
long fileRateOf(const std::string& path, Failure& failure) {
    Handle handle = openHandle(path, MPG123_ENC_SIGNED_16, failure);
    long rate = 0;
    int channels = 0;
    int encoding = 0;
    if (handle && mpg123_getformat(handle.get(), &rate, &channels, &encoding) != MPG123_OK) {
        failure = {Error::UnknownFormat, "no MPEG audio frames found"};
        return 0;
    }
    return rate;
}

// A layer III stream in the wanted output format, with a known, non-zero length.
bool checkStream(mpg123_handle* handle, long rate, int encoding, off_t& length, Failure& failure) {
    long actualRate = 0;
    int channels = 0;
    int actualEncoding = 0;
    if (mpg123_scan(handle) != MPG123_OK ||
        mpg123_getformat(handle, &actualRate, &channels, &actualEncoding) != MPG123_OK ||
        actualRate != rate || channels != kChannels || actualEncoding != encoding) {
        failure = {Error::UnknownFormat, "mpg123 cannot decode it to stereo at its own rate"};
        return false;
    }
    mpg123_frameinfo info{};
    if (mpg123_info(handle, &info) != MPG123_OK || info.layer != 3) {
        failure = {Error::UnknownFormat, "MPEG audio, but not layer III"};
        return false;
    }
    length = mpg123_length(handle);
    if (length <= 0 || mpg123_seek(handle, 0, SEEK_SET) < 0) {
        failure = {Error::UnknownFormat, "no length or seek index"};
        return false;
    }
    return true;
}

int16_t* copyFrames(const int16_t* from, int16_t* to, int frames) {
    return std::copy_n(from, static_cast<size_t>(frames) * kChannels, to);
}

}  // namespace

std::unique_ptr<Mp3Stream> Mp3Stream::open(const std::string& path, int rate, Error& error) {
    std::string reason;
    return open(path, rate, error, reason);
}

std::unique_ptr<Mp3Stream> Mp3Stream::open(const std::string& path, int rate, Error& error,
                                           std::string& reason) {
    std::string resolved = resolvePath(path);
    FILE* probe = std::fopen(resolved.c_str(), "rb");
    if (!probe) {
        error = Error::FileNotFound;
        reason = std::strerror(errno);
        return nullptr;
    }
    std::fclose(probe);

    initialiseLibrary();
    Failure failure{Error::None, ""};
    const long fileRate = fileRateOf(resolved, failure);
    std::unique_ptr<RateConverter> converter;
    if (fileRate > 0 && fileRate != rate) {
        converter = RateConverter::create(fileRate, rate);
        if (!converter)
            failure = {Error::UnknownFormat, "its sample rate cannot be converted"};
    }
    const int encoding = converter ? MPG123_ENC_FLOAT_32 : MPG123_ENC_SIGNED_16;
    Handle handle;
    off_t length = 0;
    if (failure.error == Error::None)
        handle = openHandle(resolved, encoding, failure);
    if (!handle || !checkStream(handle.get(), fileRate, encoding, length, failure)) {
        error = failure.error;
        reason = failure.reason;
        return nullptr;
    }
    error = Error::None;
    reason.clear();
    return std::unique_ptr<Mp3Stream>(
        new Mp3Stream(handle.release(), rate, fileRate, length, std::move(converter)));
}

int64_t Mp3Stream::decodedFrames() {
    return framesDecoded.load(std::memory_order_relaxed);
}

Mp3Stream::Mp3Stream(mpg123_handle_struct* handle, int rate, long fileRate, int64_t fileLength,
                     std::unique_ptr<RateConverter> converter)
    : handle_(handle),
      rate_(rate),
      fileRate_(fileRate),
      length_(converter ? converter->outputTotal(fileLength) : fileLength),
      converter_(std::move(converter)) {}

Mp3Stream::~Mp3Stream() {
    HandleDeleter()(handle_);
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
        int16_t* at = out + filled * kChannels;
        int got = converter_ ? decodeConverted(at, frames - filled) : decode(at, frames - filled);
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
    int status = readOwnRate(out, sizeof(int16_t) * kChannels * frames, &bytes);
    int got = static_cast<int>(bytes / (sizeof(int16_t) * kChannels));
    const bool failed = status != MPG123_OK && status != MPG123_NEW_FORMAT;
    if (got == 0 && failed) {
        position_ = length_;  // end of file or a damaged tail: it is over
    }
    position_ += got;
    framesDecoded.fetch_add(got, std::memory_order_relaxed);
    return got;
}

int Mp3Stream::decodeConverted(int16_t* out, int frames) {
    if (position_ >= length_)
        return 0;
    const size_t wanted = static_cast<size_t>(frames) * kChannels;
    while (converted_.size() - convertedOffset_ < wanted && convertMore()) {
    }
    const int64_t available = static_cast<int64_t>(converted_.size() - convertedOffset_) / 2;
    const int got = static_cast<int>(std::min({available, int64_t{frames}, length_ - position_}));
    if (got == 0) {
        position_ = length_;  // the file ended before its announced length
        return 0;
    }
    copyFrames(converted_.data() + convertedOffset_, out, got);
    convertedOffset_ += static_cast<size_t>(got) * kChannels;
    position_ += got;
    framesDecoded.fetch_add(got, std::memory_order_relaxed);
    return got;
}

bool Mp3Stream::convertMore() {
    converted_.erase(converted_.begin(), converted_.begin() + static_cast<long>(convertedOffset_));
    convertedOffset_ = 0;
    if (fileEnded_)
        return false;
    fileFrames_.resize(kConvertChunkFrames * kChannels);
    for (int attempt = 0; attempt < 4; ++attempt) {
        size_t bytes = 0;
        int status = readOwnRate(fileFrames_.data(), fileFrames_.size() * sizeof(float), &bytes);
        size_t frames = bytes / (sizeof(float) * kChannels);
        if (frames > 0) {
            converter_->convert(fileFrames_.data(), frames, converted_);
            return true;
        }
        if (status != MPG123_OK && status != MPG123_NEW_FORMAT)
            break;
    }
    // The end of the file: the resampler gives out what it still holds.
    fileEnded_ = true;
    converter_->flush(converted_);
    return !converted_.empty();
}

bool Mp3Stream::rateChanged(int status) const {
    if (status != MPG123_NEW_FORMAT)
        return false;
    long rate = 0;
    int channels = 0;
    int encoding = 0;
    return mpg123_getformat(handle_, &rate, &channels, &encoding) != MPG123_OK || rate != fileRate_;
}

// A file keeps one rate: frames at another are junk that looked like a frame after damage
// (or a second file stuck on), so they are decoded and dropped, and the music goes on.
int Mp3Stream::readOwnRate(void* out, size_t size, size_t* done) {
    for (;;) {
        const int status = mpg123_read(handle_, out, size, done);
        // What comes with a new format was decoded in the format before it.
        if (otherRate_) {
            *done = 0;
        }
        if (status == MPG123_NEW_FORMAT) {
            otherRate_ = rateChanged(status);
        }
        const bool failed = status != MPG123_OK && status != MPG123_NEW_FORMAT;
        if (failed || *done > 0 || (status == MPG123_OK && !otherRate_)) {
            return status;
        }
    }
}

void Mp3Stream::seekMilliseconds(int milliseconds) {
    seekFrames(static_cast<int64_t>(milliseconds) * rate_ / 1000);
}

void Mp3Stream::seekFrames(int64_t target) {
    lead_ = target < 0 ? -target : 0;
    target = std::clamp<int64_t>(target, 0, length_);
    int64_t fileTarget = converter_ ? std::max<int64_t>(0, converter_->inputTotal(target)) : target;
    off_t reached = mpg123_seek(handle_, static_cast<off_t>(fileTarget), SEEK_SET);
    if (converter_) {
        converter_->reset();
        converted_.clear();
        convertedOffset_ = 0;
        fileEnded_ = false;
    }
    if (reached < 0)
        position_ = length_;
    else if (!converter_)
        position_ = reached;
    else
        position_ =
            reached == fileTarget ? target : std::min(length_, converter_->outputTotal(reached));
}

}  // namespace platform::sound
