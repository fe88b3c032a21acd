// The real-time output: an SDL2 audio device pulling 16-bit stereo, fed block by block
// from the mixer on SDL's audio thread (in the browser build, a Web Audio script processor
// on the page's thread: platform/web/web_device_output.cpp).
#pragma once

#include <atomic>
#include <cstdint>
#include <vector>

#include "platform/sound/output.h"

namespace platform::sound {

class DeviceOutput : public Output {
public:
    bool start(Mixer& mixer) override;
    void stop() override;
    int64_t bufferedFrames() const override;

    // Frames handed to SDL since start. bufferedFrames counts the device buffer as draining
    // in real time since the last callback.
    // The SDL audio driver in use ("pulseaudio", "alsa", "dummy", …).
    static const char* driverName();
    int64_t framesDelivered() const { return delivered_.load(std::memory_order_relaxed); }

private:
    static void callback(void* self, uint8_t* stream, int length);
    void fill(int16_t* out, int frames);

    Mixer* mixer_ = nullptr;
    uint32_t device_ = 0;
    int deviceFrames_ = 0;  // frames in one device buffer
    std::vector<int16_t> pending_;
    int pendingOffset_ = 0;  // frames of pending_ already delivered
    std::atomic<int> pendingLeft_{0};
    std::atomic<int64_t> delivered_{0};
    std::atomic<int64_t> lastFillNanoseconds_{0};  // steady clock at the last callback
};

}  // namespace platform::sound
