// One MP3 file decoded by mpg123 into 16-bit stereo frames at the mixer's rate, with an
// exact seek index (the whole file is scanned on open). Not thread-safe: the mixer
// serialises every call.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/sound/error.h"

struct mpg123_handle_struct;

namespace platform::sound {

class Mp3Stream {
public:
    // Opens `path` (resolved ignoring case); null with `error` set on failure.
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
    // Frames from the start of the file; negative during a lead.
    int64_t positionFrames() const { return position_ - lead_; }
    int64_t lengthFrames() const { return length_; }
    bool atEnd() const { return lead_ == 0 && position_ >= length_; }

    bool playing = false;
    bool looping = false;

private:
    Mp3Stream(mpg123_handle_struct* handle, int rate, int64_t length);
    int decode(int16_t* out, int frames);

    mpg123_handle_struct* handle_;
    int rate_;
    int64_t length_;
    int64_t position_ = 0;  // frames of the file consumed
    int64_t lead_ = 0;      // frames of silence still to play before position_
};

}  // namespace platform::sound
