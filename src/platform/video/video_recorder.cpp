#include "platform/video/video_recorder.h"

#include <chrono>

namespace platform::video {

VideoRecorder::~VideoRecorder() {
    stopWorker();
}

bool VideoRecorder::open(const std::string& path, const FileSettings& settings) {
    stopWorker();
    file_ = RecordingFile::forPath(path);
    if (!file_->open(path, settings)) {
        error_ = file_->error();
        return false;
    }
    pictureBytes_ = static_cast<size_t>(settings.width) * settings.height * 4;
    closing_ = failed_ = false;
    worker_ = std::thread([this] { work(); });
    return true;
}

std::vector<uint8_t> VideoRecorder::pictureBuffer() {
    std::lock_guard guard(lock_);
    if (spare_.empty())
        return std::vector<uint8_t>(pictureBytes_);
    auto buffer = std::move(spare_.back());
    spare_.pop_back();
    return buffer;
}

void VideoRecorder::addPicture(std::vector<uint8_t> bgraBottomUp) {
    if (bgraBottomUp.size() != pictureBytes_)
        return;
    std::unique_lock guard(lock_);
    const auto start = std::chrono::steady_clock::now();
    changed_.wait(guard, [this] { return queuedPictures_ < kMaxQueued || failed_; });
    waitSeconds_ += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (failed_)
        return;
    jobs_.push_back({std::move(bgraBottomUp), {}});
    ++queuedPictures_;
    changed_.notify_all();
}

void VideoRecorder::addSound(const int16_t* frames, int count) {
    if (count <= 0)
        return;
    std::lock_guard guard(lock_);
    if (failed_)
        return;
    jobs_.push_back({{}, std::vector<int16_t>(frames, frames + static_cast<size_t>(count) * 2)});
    changed_.notify_all();
}

bool VideoRecorder::failed() const {
    std::lock_guard guard(lock_);
    return failed_;
}

std::string VideoRecorder::error() const {
    std::lock_guard guard(lock_);
    return error_;
}

void VideoRecorder::work() {
    std::unique_lock guard(lock_);
    for (;;) {
        changed_.wait(guard, [this] { return !jobs_.empty() || closing_; });
        if (jobs_.empty())
            return;
        Job job = std::move(jobs_.front());
        jobs_.pop_front();
        guard.unlock();
        const bool picture = !job.picture.empty();
        const bool ok =
            picture ? file_->writePicture(job.picture.data())
                    : file_->writeSound(job.sound.data(), static_cast<int>(job.sound.size() / 2));
        guard.lock();
        if (picture) {
            --queuedPictures_;
            spare_.push_back(std::move(job.picture));
        }
        if (!ok && !failed_) {
            failed_ = true;
            error_ = file_->error();
            jobs_.clear();
            queuedPictures_ = 0;
        }
        changed_.notify_all();
    }
}

void VideoRecorder::stopWorker() {
    if (worker_.joinable()) {
        {
            std::lock_guard guard(lock_);
            closing_ = true;
        }
        changed_.notify_all();
        worker_.join();
    }
}

bool VideoRecorder::finish() {
    stopWorker();
    if (!file_) {
        return false;
    }
    if (failed_) {
        file_->discard();
        return false;
    }
    if (!file_->finish()) {
        error_ = file_->error();
        return false;
    }
    return true;
}

}  // namespace platform::video
