// Records a video file (or a picture sequence, or the sound alone) on a worker thread, so
// that colour conversion and encoding overlap the drawing of the next frames. Pictures and sound
// reach the file in the order handed over; a full queue makes the caller wait, which keeps memory
// bounded.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include <memory>

#include "platform/video/recording_file.h"

namespace platform::video {

class VideoRecorder {
public:
    // Pictures waiting for the worker: enough to keep it busy while the next is drawn; each
    // holds a whole picture (33 MB at 3840 × 2160).
    static constexpr size_t kMaxQueued = 2;

    VideoRecorder() = default;
    VideoRecorder(const VideoRecorder&) = delete;
    VideoRecorder& operator=(const VideoRecorder&) = delete;
    ~VideoRecorder();  // stops the worker; an unfinished file is discarded

    // Opens the file at once, so that a bad path or a missing encoder shows before any
    // frame is drawn. False with error().
    bool open(const std::string& path, const FileSettings& settings);
    // The part of each picture to hand over (see RecordingFile::handedArea), after open.
    const PixelRect& pictureArea() const { return area_; }
    // A buffer for the next picture's area (4 bytes a pixel), reused when one is free.
    std::vector<uint8_t> pictureBuffer();
    void addPicture(std::vector<uint8_t> bgraBottomUp);
    // Interleaved 16-bit stereo frames.
    void addSound(const int16_t* frames, int count);
    // Once true, everything handed over later is dropped and finish() fails.
    bool failed() const;
    // Waits for the worker and completes the file under its final name.
    bool finish();

    std::string error() const;
    const std::string& description() const { return file_->description(); }
    // False when the file takes only sound: pictures need not be handed over.
    bool takesPictures() const { return file_ && file_->takesPictures(); }
    // Valid after finish(): the worker's times, and how long the caller waited for it.
    const WriteTimes& times() const { return file_->times(); }
    double waitSeconds() const { return waitSeconds_; }

private:
    struct Job {
        std::vector<uint8_t> picture;
        std::vector<int16_t> sound;
    };
    void work();
    void stopWorker();

    std::unique_ptr<RecordingFile> file_;
    PixelRect area_;
    size_t pictureBytes_ = 0;
    std::thread worker_;
    mutable std::mutex lock_;
    std::condition_variable changed_;
    std::deque<Job> jobs_;
    std::vector<std::vector<uint8_t>> spare_;
    size_t queuedPictures_ = 0;
    bool closing_ = false;
    bool failed_ = false;
    std::string error_;
    double waitSeconds_ = 0;
};

}  // namespace platform::video
