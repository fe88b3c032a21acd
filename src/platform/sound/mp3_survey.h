// The whole of an MP3 file decoded frame by frame as the show's stream decodes it, noting
// where mpg123 lost its place and had to look for the next frame, where the file ends and
// what its Info header announced: what `tarvel --check` says about the music.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace platform::sound {

struct Mp3Survey {
    // A place where the frames do not follow each other: bytes that were no frame of the
    // music (junk, a part of a frame cut away, frames at another rate) were skipped there.
    struct Resync {
        double at;             // seconds of music heard before it
        int64_t skippedBytes;  // from the end of the frame before to the next frame heard
    };

    bool decoded = false;  // false: the file could not be opened as MPEG audio at all
    std::string failure;   // why, when not decoded
    long rate = 0;         // the file's own sample rate
    double heardSeconds = 0;
    // The length the file's Info (LAME) header announces; negative when it has none.
    double announcedSeconds = -1;
    std::vector<Resync> resyncs;
    // The last frame is cut short: the file stops in the middle of a frame.
    bool cutInFrame = false;
    // The decoder stopped with an error before the end of the file: why, else empty.
    std::string stoppedBy;

    // Seconds the Info header announces that were not heard; 0 without one.
    double lostSeconds() const {
        return announcedSeconds > heardSeconds ? announcedSeconds - heardSeconds : 0.0;
    }

    static Mp3Survey of(const std::string& path);
};

}  // namespace platform::sound
