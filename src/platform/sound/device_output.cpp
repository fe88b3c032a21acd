#include "platform/sound/device_output.h"

#include <algorithm>
#include <chrono>
#include <cstring>

#include "platform/sound/mixer.h"

namespace platform::sound {

bool DeviceOutput::start(Mixer& mixer) {
    mixer_ = &mixer;
    device_ = AudioDevice::open(mixer.rate(), Mixer::kBlockFrames, &DeviceOutput::pull, this);
    return device_ != nullptr;
}

void DeviceOutput::stop() {
    device_.reset();
}

int64_t DeviceOutput::bufferedFrames() const {
    const int64_t queued = device_ ? device_->queuedFrames() : 0;
    return queued + pendingLeft_.load(std::memory_order_relaxed);
}

void DeviceOutput::pull(void* self, int16_t* out, int frames, int64_t queuedFrames) {
    static_cast<DeviceOutput*>(self)->fill(out, frames, queuedFrames);
}

// The device asks for any number of frames; whole blocks are mixed and the rest of the
// last one is kept for the next call.
void DeviceOutput::fill(int16_t* out, int frames, int64_t queuedFrames) {
    int written = 0;
    while (written < frames) {
        int available = static_cast<int>(pending_.size() / 2) - pendingOffset_;
        if (available == 0) {
            // Ahead of the block: what the device still holds and the part of this buffer
            // already filled.
            const int64_t now = std::chrono::duration_cast<std::chrono::nanoseconds>(
                                    std::chrono::steady_clock::now().time_since_epoch())
                                    .count();
            mixer_->keepInStep(now, queuedFrames + written);
            const int16_t* block = mixer_->mixBlock();
            pending_.assign(block, block + Mixer::kBlockFrames * 2);
            pendingOffset_ = 0;
            available = Mixer::kBlockFrames;
        }
        int count = std::min(available, frames - written);
        std::memcpy(out + written * 2, pending_.data() + pendingOffset_ * 2,
                    sizeof(int16_t) * 2 * count);
        pendingOffset_ += count;
        written += count;
    }
    pendingLeft_.store(static_cast<int>(pending_.size() / 2) - pendingOffset_,
                       std::memory_order_relaxed);
}

}  // namespace platform::sound
