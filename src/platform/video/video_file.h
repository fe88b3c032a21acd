// A video file with sound, written by FFmpeg's libraries: pictures as bottom-up BGRA rows
// (what GL reads back), sound as interleaved 16-bit stereo. The extension chooses the
// container and codecs. The file is written under a temporary name in the same directory
// and renamed when finished, so a failed recording leaves nothing under the final name.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/video/recording_file.h"

namespace platform::video {

class VideoFile : public RecordingFile {
public:
    VideoFile();
    VideoFile(const VideoFile&) = delete;
    VideoFile& operator=(const VideoFile&) = delete;
    ~VideoFile() override;  // discards an unfinished file

    // ".mp4", ".mkv", ".webm" and ".mov" (any case) are known. False with error().
    bool open(const std::string& path, const FileSettings& settings) override;
    // The changing part widened to even edges (the colour planes have half the rows and
    // columns); the whole picture when nothing sensible is left out.
    PixelRect handedArea(const FileSettings& settings) const override;
    bool writePicture(const uint8_t* bgraBottomUp) override;
    bool writeSound(const int16_t* frames, int count) override;
    // Flushes the encoders, completes the file and gives it its final name.
    bool finish() override;
    void discard() override;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace platform::video
