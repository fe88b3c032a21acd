// A video file with sound, written by FFmpeg's libraries: pictures as bottom-up BGRA rows
// (what GL reads back), sound as interleaved 16-bit stereo. The extension chooses the
// container and codecs. The file is written under a temporary name in the same directory
// and renamed when finished, so a failed recording leaves nothing under the final name.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace platform::video {

// A rectangle of the picture, in pixels from its bottom left corner.
struct PictureArea {
    int left = 0;
    int bottom = 0;
    int width = 0;
    int height = 0;
};

struct FileSettings {
    int width = 800;
    int height = 600;
    double framesPerSecond = 60;
    int sampleRate = 44100;  // of the sound handed in
    // The part of the picture that changes; outside it every picture is black. Empty: all.
    PictureArea changing;
};

// The rows writePicture takes: the changing part widened to even edges (the colour planes
// have half the rows and columns), or the whole picture.
PictureArea handedArea(const FileSettings& settings);

// Seconds spent on the work of writing, for the closing figures.
struct WriteTimes {
    double conversion = 0;  // colour conversion and resampling
    double encoding = 0;    // encoders and muxer
};

class VideoFile {
public:
    VideoFile();
    VideoFile(const VideoFile&) = delete;
    VideoFile& operator=(const VideoFile&) = delete;
    ~VideoFile();  // discards an unfinished file

    // ".mp4", ".mkv", ".webm" and ".mov" (any case) are known. False with error().
    bool open(const std::string& path, const FileSettings& settings);
    // The handed area of one picture (see handedArea), 4 bytes a pixel, bottom row first;
    // the next frame's time.
    bool writePicture(const uint8_t* bgraBottomUp);
    // `count` stereo frames at the settings' sample rate, following the earlier ones.
    bool writeSound(const int16_t* frames, int count);
    // Flushes the encoders, completes the file and gives it its final name.
    bool finish();
    // Removes the temporary file of an unfinished recording.
    void discard();

    const std::string& error() const { return error_; }
    // The codecs and container, "H.264 + AAC in MP4".
    const std::string& description() const { return description_; }
    const WriteTimes& times() const { return times_; }

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
    std::string error_;
    std::string description_;
    WriteTimes times_;
};

}  // namespace platform::video
