// The real-time output: the platform's sound device (platform/sound/audio_device.h) pulls
// 16-bit stereo, fed block by block from the mixer on the device's thread.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/sound/audio_device.h"
#include "platform/sound/output.h"

namespace platform::sound {

class DeviceOutput : public Output {
public:
    bool start(Mixer& mixer) override;
    void stop() override;
    // What the device holds and what is left of the block last mixed.
    int64_t bufferedFrames() const override;

    // The driver in use ("pulseaudio", "alsa", "dummy", "webaudio", …).
    static const char* driverName() { return AudioDevice::driverName(); }

private:
    static void pull(void* self, int16_t* out, int frames, int64_t queuedFrames);
    void fill(int16_t* out, int frames, int64_t queuedFrames);

    Mixer* mixer_ = nullptr;
    std::vector<int16_t> pending_;
    int pendingOffset_ = 0;  // frames of pending_ already delivered
    std::atomic<int> pendingLeft_{0};
    // Last: closed first, so no pull runs while the rest goes.
    std::unique_ptr<AudioDevice> device_;
};

}  // namespace platform::sound
