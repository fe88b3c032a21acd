#include "platform/video/video_module.h"

#include <string>

#include "platform/program_module.h"

namespace platform::video {

namespace {

// Stands in for a video file when the module is missing: every step fails with why.
class UnavailableVideoFile : public RecordingFile {
public:
    explicit UnavailableVideoFile(std::string reason) { error_ = std::move(reason); }
    bool open(const std::string&, const FileSettings&) override { return false; }
    bool writePicture(const uint8_t*) override { return false; }
    bool writeSound(const int16_t*, int) override { return false; }
    bool finish() override { return false; }
    void discard() override {}
};

}  // namespace

std::unique_ptr<RecordingFile> makeVideoFile() {
    using Create = RecordingFile* (*)();
    std::string reason;
    auto create =
        reinterpret_cast<Create>(programModuleEntry(kVideoModuleName, kVideoModuleEntry, reason));
    if (create == nullptr) {
        return std::make_unique<UnavailableVideoFile>("the video writer: " + reason);
    }
    return std::unique_ptr<RecordingFile>(create());
}

}  // namespace platform::video
