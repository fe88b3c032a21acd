// A recording as one PNG picture per frame, numbered by the frame's index in the whole show
// (so ranges recorded apart drop into one folder), and the sound of the range as a WAV file
// beside them, named by the range: "shots/frame%05d.png" from frame 2400 to 2759 gives
// shots/frame02400.png … shots/frame02759.png and shots/frame02400-02759.wav.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/video/recording_file.h"
#include "platform/video/wav_file.h"

namespace platform::video {

class ImageSequence : public RecordingFile {
public:
    // Whether `path` names a picture sequence: a ".png" name.
    static bool isSequenceName(const std::string& path);
    // A name with exactly one number conversion (%d, %5d, %05d) and otherwise only "%%";
    // false with the reason.
    static bool checkName(const std::string& path, std::string& error);
    // The name with `number` in place of its conversion.
    static std::string nameOf(const std::string& pattern, int64_t number);
    // The sound's name for frames first … last.
    static std::string soundNameOf(const std::string& pattern, int64_t first, int64_t last);

    bool open(const std::string& path, const FileSettings& settings) override;
    bool writePicture(const uint8_t* bgraBottomUp) override;
    bool writeSound(const int16_t* frames, int count) override;
    bool finish() override;
    void discard() override { sound_.discard(); }

private:
    bool fail(const std::string& reason);

    std::string pattern_;
    FileSettings settings_;
    int64_t next_ = 0;
    std::vector<uint8_t> rgb_;
    WavFile sound_;
};

}  // namespace platform::video
