// --capture: every frame the show draws at the fixed step is read back and recorded, with
// the very samples the non-real-time sound output mixes for it, into a video file (or a
// picture sequence, or only the sound: then nothing is read back). The
// recording starts with the first frame drawn, whose sound begins at the mixer's next
// block, where the music starts or is positioned on that frame.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/video/video_recorder.h"
#include "shell/progress_line.h"

class CaptureSession {
public:
    CaptureSession(int width, int height, double framesPerSecond, int sampleRate);

    // Opens the file and starts taking the mixed sound. False after printing the one-line
    // failure that names the file.
    bool open(const std::string& path, double from, double to);
    // False for a file that takes the sound alone: nothing need be drawn.
    bool takesPictures() const { return recorder_.takesPictures(); }
    // After the frame's sound was mixed and before the frame is drawn.
    void frameStarting();
    // The frame is drawn in the back buffer: read it back and hand it over with its sound.
    // True once the last frame of the range is recorded.
    bool frameDrawn(double showTime);
    // Mixes the sound of the last frame, completes the file and says where it went (or
    // why it failed, leaving no file behind). The process's exit status.
    int finish(const std::function<void(double)>& mixMore);

private:
    void handOverPicture();
    void handOverSound(int64_t upToFrames);

    int width_;
    int height_;
    double framesPerSecond_;
    int sampleRate_;
    std::string path_;
    long long totalFrames_ = 1;
    long long framesDone_ = 0;
    platform::video::VideoRecorder recorder_;
    std::unique_ptr<ProgressLine> progress_;
    std::vector<int16_t> mixed_;   // stereo samples mixed but not yet handed over
    int64_t soundHandedOver_ = 0;  // stereo frames

    using Clock = std::chrono::steady_clock;
    Clock::time_point started_;
    Clock::time_point frameStart_;
    double drawSeconds_ = 0;
    double readBackSeconds_ = 0;
};
