// A page records no video: it has no encoder and no file to keep. Every recording fails
// at once, with the reason.
#include "platform/video/video_recorder.h"

namespace platform::video {

struct VideoFile::Impl {};

VideoFile::VideoFile() = default;

VideoFile::~VideoFile() = default;

VideoRecorder::~VideoRecorder() = default;

bool VideoRecorder::open(const std::string&, const FileSettings&) {
    failed_ = true;
    error_ = "the browser build records no video";
    return false;
}

std::vector<uint8_t> VideoRecorder::pictureBuffer() {
    return {};
}

void VideoRecorder::addPicture(std::vector<uint8_t>) {}

void VideoRecorder::addSound(const int16_t*, int) {}

bool VideoRecorder::failed() const {
    return true;
}

bool VideoRecorder::finish() {
    return false;
}

std::string VideoRecorder::error() const {
    return error_;
}

}  // namespace platform::video
