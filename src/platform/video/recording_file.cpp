#include "platform/video/recording_file.h"

#include <algorithm>

#include "platform/video/image_sequence.h"
#include "platform/video/video_module.h"
#include "platform/video/wav_file.h"

namespace platform::video {

std::unique_ptr<RecordingFile> RecordingFile::forPath(const std::string& path) {
    if (ImageSequence::isSequenceName(path))
        return std::make_unique<ImageSequence>();
    std::string tail = path.size() >= 4 ? path.substr(path.size() - 4) : "";
    std::transform(tail.begin(), tail.end(), tail.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (tail == ".wav")
        return std::make_unique<WavFile>();
    return makeVideoFile();
}

}  // namespace platform::video
