// The sound of a recording alone, as a 16-bit stereo PCM WAV file: what a picture sequence
// writes beside its pictures, and what a recording split into parts takes once for the
// whole range.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/pending_file.h"
#include "platform/video/recording_file.h"

namespace platform::video {

class WavFile : public RecordingFile {
public:
    ~WavFile() override;

    bool open(const std::string& path, const FileSettings& settings) override;
    bool takesPictures() const override { return false; }
    bool writePicture(const uint8_t*) override { return true; }
    bool writeSound(const int16_t* frames, int count) override;
    bool finish() override;
    void discard() override;

private:
    bool writeHeader();

    std::unique_ptr<PendingFile> file_;
    int sampleRate_ = 44100;
    uint64_t dataBytes_ = 0;
};

}  // namespace platform::video
