// The desktop's sound device: an SDL2 audio device, pulled on SDL's audio thread.
#include "platform/sound/audio_device.h"

#include <SDL.h>
#include <dlfcn.h>

#include <algorithm>
#include <atomic>
#include <chrono>

namespace platform::sound {
namespace {

void ignoreAlsaMessage(const char*, int, const char*, int, const char*, ...) {}

// SDL opens ALSA's library by itself, and ALSA prints every failed probe (no card, no
// configuration) straight to the terminal. Its message handler is set once through the
// library SDL will load, so the show's own line is the only one about sound.
void quietenAlsa() {
    static bool done = false;
    if (done)
        return;
    done = true;
    void* library = dlopen("libasound.so.2", RTLD_LAZY | RTLD_GLOBAL);
    if (!library)
        return;
    using Handler = void (*)(const char*, int, const char*, int, const char*, ...);
    using SetHandler = int (*)(Handler);
    auto set = reinterpret_cast<SetHandler>(dlsym(library, "snd_lib_error_set_handler"));
    if (set)
        set(&ignoreAlsaMessage);
}

int64_t steadyNanoseconds() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

class SdlAudioDevice final : public AudioDevice {
public:
    SdlAudioDevice(int rate, Pull pull, void* listener)
        : rate_(rate), pull_(pull), listener_(listener) {}

    ~SdlAudioDevice() override {
        if (device_ == 0)
            return;
        SDL_CloseAudioDevice(device_);  // waits for a callback in flight
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }

    bool open(int blockFrames) {
        SDL_AudioSpec want{};
        want.freq = rate_;
        want.format = AUDIO_S16SYS;
        want.channels = 2;
        want.samples = static_cast<Uint16>(blockFrames);
        want.callback = &SdlAudioDevice::callback;
        want.userdata = this;
        SDL_AudioSpec have{};
        device_ = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
        if (device_ == 0)
            return false;
        deviceFrames_ = have.samples;
        SDL_PauseAudioDevice(device_, 0);
        return true;
    }

    // The device buffer, counted as draining in real time since the last callback.
    int64_t queuedFrames() const override {
        const int64_t sincePull =
            steadyNanoseconds() - lastPullNanoseconds_.load(std::memory_order_relaxed);
        const int64_t drained =
            std::clamp<int64_t>(sincePull * rate_ / 1000000000, 0, deviceFrames_);
        return deviceFrames_ - drained;
    }

private:
    static void callback(void* self, uint8_t* stream, int length) {
        auto* device = static_cast<SdlAudioDevice*>(self);
        device->pull_(device->listener_, reinterpret_cast<int16_t*>(stream),
                      length / static_cast<int>(2 * sizeof(int16_t)), device->queuedFrames());
        device->lastPullNanoseconds_.store(steadyNanoseconds(), std::memory_order_relaxed);
    }

    int rate_;
    Pull pull_;
    void* listener_;
    SDL_AudioDeviceID device_ = 0;
    int deviceFrames_ = 0;  // frames in one device buffer
    std::atomic<int64_t> lastPullNanoseconds_{0};
};

}  // namespace

std::unique_ptr<AudioDevice> AudioDevice::open(int rate, int blockFrames, Pull pull,
                                               void* listener) {
    quietenAlsa();
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
        return nullptr;
    auto device = std::make_unique<SdlAudioDevice>(rate, pull, listener);
    if (!device->open(blockFrames)) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return nullptr;
    }
    return device;
}

const char* AudioDevice::driverName() {
    const char* name = SDL_GetCurrentAudioDriver();
    return name ? name : "none";
}

}  // namespace platform::sound
