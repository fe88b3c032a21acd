// A page has no module to load: its video file is the one that says it cannot be written.
#include "platform/video/video_module.h"
#include "platform/video/video_file.h"

namespace platform::video {

std::unique_ptr<RecordingFile> makeVideoFile() {
    return std::make_unique<VideoFile>();
}

}  // namespace platform::video
