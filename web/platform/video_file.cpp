// A page has no video encoder: a video file fails to open, with the reason. (Picture
// sequences and WAV files need no library and are the desktop's own code.)
#include "platform/video/video_file.h"

namespace platform::video {

struct VideoFile::Impl {};

VideoFile::VideoFile() = default;

VideoFile::~VideoFile() = default;

bool VideoFile::open(const std::string& path, const FileSettings&) {
    error_ = path + ": the browser build records no video";
    return false;
}

bool VideoFile::writePicture(const uint8_t*) {
    return false;
}

bool VideoFile::writeSound(const int16_t*, int) {
    return false;
}

bool VideoFile::finish() {
    return false;
}

void VideoFile::discard() {}

PixelRect VideoFile::handedArea(const FileSettings& settings) const {
    return RecordingFile::handedArea(settings);
}

}  // namespace platform::video
