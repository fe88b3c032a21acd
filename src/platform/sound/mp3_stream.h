// One MP3 file decoded by mpg123 into 16-bit stereo frames at the mixer's rate, with an
// exact seek index (the whole file is scanned on open). A file at another rate is decoded
// at its own rate and converted; mono is doubled to both sides. Not thread-safe: the
// mixer serialises every call. The page uses the same code on the same build of mpg123
// (cmake/mpg123.cmake), decoding as the music is heard, so both hear the same samples.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/sound/error.h"

struct mpg123_handle_struct;

namespace platform::sound {

class RateConverter;

class Mp3Stream {
public:
    // Bytes mpg123 searches for the next frame after damage: all the rest of the file, so
    // junk in the middle costs the frames it hit and the music goes on after it.
    static constexpr long kResyncLimit = -1;

    // Opens `path` (resolved ignoring case); null with `error` set on failure, and
    // `reason` saying why in words.
    static std::unique_ptr<Mp3Stream> open(const std::string& path, int rate, Error& error,
                                           std::string& reason);
    static std::unique_ptr<Mp3Stream> open(const std::string& path, int rate, Error& error);
    ~Mp3Stream();
    Mp3Stream(const Mp3Stream&) = delete;
    Mp3Stream& operator=(const Mp3Stream&) = delete;

    // Fills `frames` stereo frames: silence while a lead is pending or past the end.
    // Returns how many frames came from the file.
    int read(int16_t* out, int frames);
    // Negative positions become a lead of silence before the start; positions past the
    // end leave the stream at its end.
    void seekMilliseconds(int milliseconds);
    // The same in frames at the mixer's rate.
    void seekFrames(int64_t target);
    // Frames from the start of the file; negative during a lead.
    int64_t positionFrames() const { return position_ - lead_; }
    int64_t lengthFrames() const { return length_; }
    bool atEnd() const { return lead_ == 0 && position_ >= length_; }
    // The file's own sample rate.
    long fileRate() const { return fileRate_; }
    // Frames decoded by every stream of the process so far, at the mixer's rate: what the
    // page reports as the music it has decoded.
    static int64_t decodedFrames();

    bool playing = false;
    bool looping = false;

private:
    Mp3Stream(mpg123_handle_struct* handle, int rate, long fileRate, int64_t fileLength,
              std::unique_ptr<RateConverter> converter);
    int decode(int16_t* out, int frames);
    int decodeConverted(int16_t* out, int frames);
    // Decodes and converts one more chunk; false at the end of the file.
    bool convertMore();
    // After the library reported `status`: whether the file went on at another rate.
    bool rateChanged(int status) const;
    // mpg123_read, dropping what comes at another rate than the file's own.
    int readOwnRate(void* out, size_t size, size_t* done);

    mpg123_handle_struct* handle_;
    int rate_;
    long fileRate_;
    int64_t length_;        // frames at the mixer's rate
    int64_t position_ = 0;  // frames of the file consumed, at the mixer's rate
    int64_t lead_ = 0;      // frames of silence still to play before position_

    std::unique_ptr<RateConverter> converter_;  // null when the file has the mixer's rate
    std::vector<float> fileFrames_;
    std::vector<int16_t> converted_;  // converted frames not yet read
    size_t convertedOffset_ = 0;      // samples of converted_ already read
    bool fileEnded_ = false;          // the resampler has been flushed
    bool otherRate_ = false;          // the decoder is in frames at another rate
};

}  // namespace platform::sound
