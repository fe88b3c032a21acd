// Where a recording goes: a video file, a numbered picture per frame with the sound beside
// them, or the sound alone, chosen by the file name. Pictures come as bottom-up BGRA rows
// (what GL reads back), sound as interleaved 16-bit stereo. Everything is written under
// temporary names and renamed when complete, so a failure leaves no half-written file.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/pixel_rect.h"

namespace platform::video {

struct FileSettings {
    int width = 800;
    int height = 600;
    double framesPerSecond = 60;
    int sampleRate = 44100;  // of the sound handed in
    // The part of the picture that changes; outside it every picture is black. Empty: all.
    PixelRect changing;
    // The first picture's index in the whole show (its show time × frames per second) and
    // how many there will be: what a picture sequence numbers its files by.
    int64_t firstFrame = 0;
    int64_t frameCount = 1;
};

// Seconds spent on the work of writing, for the closing figures.
struct WriteTimes {
    double conversion = 0;  // colour conversion and resampling
    double encoding = 0;    // encoders and muxer
};

class RecordingFile {
public:
    virtual ~RecordingFile() = default;

    // The kind of file `path` names: a picture sequence (a ".png" name with one printf
    // number in it, "frame%05d.png"), the sound alone (".wav"), else a video file.
    static std::unique_ptr<RecordingFile> forPath(const std::string& path);

    // False with error(); a picture sequence checks its name here.
    virtual bool open(const std::string& path, const FileSettings& settings) = 0;
    // False for a file that takes only sound: no picture need be drawn or read back.
    virtual bool takesPictures() const { return true; }
    // The part of each picture that writePicture takes: all of it unless the file can do
    // with less (see FileSettings::changing).
    virtual PixelRect handedArea(const FileSettings& settings) const {
        return {0, 0, settings.width, settings.height};
    }
    // The handed area of one picture, 4 bytes a pixel, bottom row first; the next frame's.
    virtual bool writePicture(const uint8_t* bgraBottomUp) = 0;
    // `count` stereo frames at the settings' sample rate, following the earlier ones.
    virtual bool writeSound(const int16_t* frames, int count) = 0;
    // Completes everything and gives it its final names.
    virtual bool finish() = 0;
    // Removes what an unfinished recording left under temporary names.
    virtual void discard() = 0;

    const std::string& error() const { return error_; }
    // What was written, "H.264 + AAC in MP4".
    const std::string& description() const { return description_; }
    const WriteTimes& times() const { return times_; }

protected:
    std::string error_;
    std::string description_;
    WriteTimes times_;
};

}  // namespace platform::video
