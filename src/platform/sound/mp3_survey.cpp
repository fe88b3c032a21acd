#include "platform/sound/mp3_survey.h"

#include <mpg123.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <mutex>

#include "platform/path.h"
#include "platform/sound/mp3_stream.h"

namespace platform::sound {

namespace {

struct HandleDeleter {
    void operator()(mpg123_handle* handle) const {
        mpg123_close(handle);
        mpg123_delete(handle);
    }
};
using Handle = std::unique_ptr<mpg123_handle, HandleDeleter>;

// The two bytes at `offset` begin an MPEG audio frame header (eleven set bits).
bool frameSyncAt(const std::string& path, int64_t offset) {
    FILE* file = openFile(path.c_str(), "rb");
    if (!file) {
        return false;
    }
    unsigned char bytes[2] = {};
    const bool read = std::fseek(file, static_cast<long>(offset), SEEK_SET) == 0 &&
                      std::fread(bytes, 1, 2, file) == 2;
    std::fclose(file);
    return read && bytes[0] == 0xFF && (bytes[1] & 0xE0) == 0xE0;
}

int64_t fileSize(const std::string& path) {
    FILE* file = openFile(path.c_str(), "rb");
    if (!file) {
        return -1;
    }
    const int64_t size = std::fseek(file, 0, SEEK_END) == 0 ? std::ftell(file) : -1;
    std::fclose(file);
    return size;
}

}  // namespace

Mp3Survey Mp3Survey::of(const std::string& path) {
    static std::once_flag once;
    std::call_once(once, [] { mpg123_init(); });
    Mp3Survey survey;
    int status = MPG123_OK;
    Handle handle(mpg123_new(nullptr, &status));
    if (!handle) {
        survey.failure = mpg123_plain_strerror(status);
        return survey;
    }
    mpg123_handle* h = handle.get();
    // Decoded as the stream decodes it: the same trimming of the encoder's delay and
    // padding, the same search for the next frame after damage.
    if (mpg123_param(h, MPG123_FLAGS, MPG123_FORCE_SEEKABLE | MPG123_QUIET | MPG123_GAPLESS, 0) !=
            MPG123_OK ||
        mpg123_param(h, MPG123_RESYNC_LIMIT, Mp3Stream::kResyncLimit, 0) != MPG123_OK ||
        mpg123_open(h, resolvePath(path).c_str()) != MPG123_OK) {
        survey.failure = mpg123_strerror(h);
        return survey;
    }
    // The length comes from the Info header when the encoder wrote one (its delay is then
    // known); without it mpg123 only guesses from the file's size.
    const off_t announced = mpg123_length(h);
    long delay = -1;
    double unused = 0;
    mpg123_getstate(h, MPG123_ENC_DELAY, &delay, &unused);
    long rate = 0;
    int channels = 0;
    int encoding = 0;
    if (mpg123_getformat(h, &rate, &channels, &encoding) != MPG123_OK || rate <= 0) {
        survey.failure = "no MPEG audio frames found";
        return survey;
    }
    survey.rate = rate;
    if (delay >= 0 && announced > 0) {
        survey.announcedSeconds = static_cast<double>(announced) / static_cast<double>(rate);
    }
    // The stream scans the file for its seek index, which also tells mpg123 whether the
    // Info header's delay and padding still fit the frames found; so does the survey.
    if (mpg123_scan(h) != MPG123_OK || mpg123_seek(h, 0, SEEK_SET) < 0) {
        survey.failure = mpg123_strerror(h);
        return survey;
    }
    survey.decoded = true;

    long currentRate = rate;
    int64_t heard = 0;      // samples per channel
    int64_t expected = -1;  // where the next frame should begin: the end of the last one heard
    for (;;) {
        off_t number = 0;
        unsigned char* audio = nullptr;
        size_t bytes = 0;
        status = mpg123_decode_frame(h, &number, &audio, &bytes);
        if (status == MPG123_NEW_FORMAT) {
            mpg123_getformat(h, &currentRate, &channels, &encoding);
            continue;
        }
        if (status == MPG123_DONE) {
            break;
        }
        if (status != MPG123_OK) {
            survey.stoppedBy = mpg123_strerror(h);
            break;
        }
        if (currentRate != rate) {
            continue;  // junk taken for a frame: the stream drops it too
        }
        mpg123_frameinfo info{};
        mpg123_info(h, &info);
        const int64_t offset = mpg123_framepos(h);
        if (expected >= 0 && offset != expected) {
            survey.resyncs.push_back(
                {static_cast<double>(heard) / static_cast<double>(rate), offset - expected});
        }
        expected = offset + info.framesize;
        const int sampleBytes = channels * mpg123_encsize(encoding);
        heard += sampleBytes > 0 ? static_cast<int64_t>(bytes) / sampleBytes : 0;
    }
    survey.heardSeconds = static_cast<double>(heard) / static_cast<double>(rate);
    // A tag may follow the last frame; the start of a frame there is one cut short.
    survey.cutInFrame = survey.stoppedBy.empty() && expected > 0 && fileSize(path) > expected &&
                        frameSyncAt(path, expected);
    return survey;
}

}  // namespace platform::sound
