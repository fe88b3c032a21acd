// Reads the frames of an MP3 file at any position, apart from the mixer: what the music
// holds at a moment of show time, whatever has been played. Each read seeks first, so the
// same position always gives the same frames.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace platform::sound {

class Mp3Stream;

class SampleReader {
public:
    // Null when the file does not open as the mixer would open it.
    static std::unique_ptr<SampleReader> open(const std::string& path, int rate);
    ~SampleReader();

    // `frames` stereo frames from frame `first` on (at the mixer's rate); silence before the
    // start and past the end.
    void read(int64_t first, int16_t* out, int frames);

private:
    explicit SampleReader(std::unique_ptr<Mp3Stream> stream);
    std::unique_ptr<Mp3Stream> stream_;
};

}  // namespace platform::sound
