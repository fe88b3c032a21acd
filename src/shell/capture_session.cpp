#include "shell/capture_session.h"

#include "render/gl/gl.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "base/log.h"
#include "platform/sound/sound.h"
#include "render/gl_state.h"
#include "render/letterbox.h"
#include "render/picture_target.h"
#include "shell/frame_stats.h"
#include "show/show_clock.h"

namespace {

double secondsBetween(std::chrono::steady_clock::time_point a,
                      std::chrono::steady_clock::time_point b) {
    return std::chrono::duration<double>(b - a).count();
}

std::string absolutePath(const std::string& path) {
    char* resolved = realpath(path.c_str(), nullptr);
    if (!resolved)
        return path;
    std::string result = resolved;
    std::free(resolved);
    return result;
}

}  // namespace

CaptureSession::CaptureSession(int width, int height, double framesPerSecond, int sampleRate)
    : width_(width), height_(height), framesPerSecond_(framesPerSecond), sampleRate_(sampleRate) {}

bool CaptureSession::open(const std::string& path, double from, double to) {
    path_ = path;
    platform::video::FileSettings settings;
    settings.width = width_;
    settings.height = height_;
    settings.framesPerSecond = framesPerSecond_;
    settings.sampleRate = sampleRate_;
    settings.changing = Letterbox(width_, height_).picture();
    // The first frame is the first on the show's grid of frames at or after `from`.
    settings.firstFrame = ShowClock::frameAtOrAfter(from, framesPerSecond_);
    totalFrames_ = std::max(1LL, std::llround((to - from) * framesPerSecond_));
    settings.frameCount = totalFrames_;
    if (!recorder_.open(path, settings)) {
        logWindow->say(LogLevel::Error, LogModule::Shell, "tarvel: cannot record to %s: %s",
                       path.c_str(), recorder_.error().c_str());
        return false;
    }
    progress_ =
        std::make_unique<ProgressLine>("tarvel: recording ", totalFrames_, 1.0 / framesPerSecond_);
    platform::sound::setSampleSink([this](const int16_t* frames, int count) {
        mixed_.insert(mixed_.end(), frames, frames + static_cast<size_t>(count) * 2);
    });
    started_ = Clock::now();
    return true;
}

void CaptureSession::frameStarting() {
    if (framesDone_ == 0) {
        mixed_.clear();  // the sound before the first frame is not part of the recording
    }
    frameStart_ = Clock::now();
}

// Sound up to the end of the frames recorded so far, as far as it is mixed.
void CaptureSession::handOverSound(int64_t upToFrames) {
    const int64_t available = static_cast<int64_t>(mixed_.size() / 2);
    const int64_t count = std::clamp<int64_t>(upToFrames - soundHandedOver_, 0, available);
    if (count <= 0)
        return;
    for (int64_t done = 0; done < count; done += INT_MAX / 4) {
        const int chunk = static_cast<int>(std::min<int64_t>(count - done, INT_MAX / 4));
        recorder_.addSound(mixed_.data() + done * 2, chunk);
    }
    mixed_.erase(mixed_.begin(), mixed_.begin() + count * 2);
    soundHandedOver_ += count;
}

bool CaptureSession::frameDrawn(double showTime) {
    if (recorder_.takesPictures()) {
        handOverPicture();
    }
    ++framesDone_;
    handOverSound(std::llround(static_cast<double>(framesDone_) * sampleRate_ / framesPerSecond_));
    progress_->update(framesDone_, showTime);
    return framesDone_ >= totalFrames_ || recorder_.failed();
}

void CaptureSession::handOverPicture() {
    glFinish();
    const auto drawn = Clock::now();
    drawSeconds_ += secondsBetween(frameStart_, drawn);

    std::vector<uint8_t> picture = recorder_.pictureBuffer();
    {
        ClientAttributeScope packing(GL_CLIENT_PIXEL_STORE_BIT);
        glPixelStorei(GL_PACK_ALIGNMENT, 4);
        glPixelStorei(GL_PACK_ROW_LENGTH, 0);
        const platform::PixelRect& area = recorder_.pictureArea();
        render::resolvePicture(area);
        glReadPixels(area.left, area.bottom, area.width, area.height, GL_BGRA, GL_UNSIGNED_BYTE,
                     picture.data());
    }
    readBackSeconds_ += secondsBetween(drawn, Clock::now());
    recorder_.addPicture(std::move(picture));
}

int CaptureSession::finish(const std::function<void(double)>& mixMore) {
    progress_->finish();
    const int64_t soundFrames =
        std::llround(static_cast<double>(framesDone_) * sampleRate_ / framesPerSecond_);
    // The last frame's sound is mixed when the next frame would start.
    mixMore(1.0 / framesPerSecond_);
    handOverSound(soundFrames);
    if (soundHandedOver_ < soundFrames) {
        std::vector<int16_t> silence(static_cast<size_t>(soundFrames - soundHandedOver_) * 2);
        recorder_.addSound(silence.data(), static_cast<int>(silence.size() / 2));
    }
    platform::sound::setSampleSink(nullptr);
    if (!recorder_.finish()) {
        logWindow->say(LogLevel::Error, LogModule::Shell, "tarvel: cannot record to %s: %s",
                       path_.c_str(), recorder_.error().c_str());
        return 1;
    }
    const double wall = secondsBetween(started_, Clock::now());
    const double seconds = static_cast<double>(framesDone_) / framesPerSecond_;
    const auto& times = recorder_.times();
    logWindow->say(LogLevel::Info, LogModule::Shell,
                   "tarvel: %lld frames (%.2f s of show) in %.1f s, %.2fx real time: drawing "
                   "%.1f s, read-back %.1f s, waiting for the encoder %.1f s; on the encoder "
                   "thread colour conversion %.1f s, encoding %.1f s; peak memory %.1f MiB",
                   framesDone_, seconds, wall, wall > 0 ? seconds / wall : 0.0, drawSeconds_,
                   readBackSeconds_, recorder_.waitSeconds(), times.conversion, times.encoding,
                   peakResidentMegabytes());
    logWindow->say(LogLevel::Info, LogModule::Shell,
                   "tarvel: the show is recorded in %s (%s, %.2f s)", absolutePath(path_).c_str(),
                   recorder_.description().c_str(), seconds);
    return 0;
}
