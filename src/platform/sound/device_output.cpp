#include "platform/sound/device_output.h"

#include <SDL.h>
#include <dlfcn.h>

#include <algorithm>
#include <chrono>
#include <cstring>

#include "platform/sound/mixer.h"

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

}  // namespace

bool DeviceOutput::start(Mixer& mixer) {
    quietenAlsa();
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
        return false;
    mixer_ = &mixer;
    SDL_AudioSpec want{};
    want.freq = mixer.rate();
    want.format = AUDIO_S16SYS;
    want.channels = 2;
    want.samples = Mixer::kBlockFrames;
    want.callback = &DeviceOutput::callback;
    want.userdata = this;
    SDL_AudioSpec have{};
    device_ = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
    if (device_ == 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    deviceFrames_ = have.samples;
    SDL_PauseAudioDevice(device_, 0);
    return true;
}

const char* DeviceOutput::driverName() {
    const char* name = SDL_GetCurrentAudioDriver();
    return name ? name : "none";
}

void DeviceOutput::stop() {
    if (device_ == 0)
        return;
    SDL_CloseAudioDevice(device_);  // waits for a callback in flight
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    device_ = 0;
}

namespace {

int64_t steadyNanoseconds() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

}  // namespace

int64_t DeviceOutput::bufferedFrames() const {
    int64_t sinceFill = steadyNanoseconds() - lastFillNanoseconds_.load(std::memory_order_relaxed);
    int64_t drained =
        std::clamp<int64_t>(sinceFill * mixer_->rate() / 1000000000, 0, deviceFrames_);
    return deviceFrames_ - drained + pendingLeft_.load(std::memory_order_relaxed);
}

void DeviceOutput::callback(void* self, uint8_t* stream, int length) {
    auto* output = static_cast<DeviceOutput*>(self);
    output->fill(reinterpret_cast<int16_t*>(stream),
                 length / static_cast<int>(2 * sizeof(int16_t)));
}

// The device asks for any number of frames; whole blocks are mixed and the rest of the
// last one is kept for the next call.
void DeviceOutput::fill(int16_t* out, int frames) {
    int written = 0;
    while (written < frames) {
        int available = static_cast<int>(pending_.size() / 2) - pendingOffset_;
        if (available == 0) {
            mixer_->keepInStep(steadyNanoseconds(), bufferedFrames());
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
    delivered_.fetch_add(frames, std::memory_order_relaxed);
    lastFillNanoseconds_.store(steadyNanoseconds(), std::memory_order_relaxed);
}

}  // namespace platform::sound
