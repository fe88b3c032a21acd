// The sound device under the device output: SDL2 audio on the desktop (audio_device.cpp),
// a Web Audio script processor on the page's audio context in the browser
// (web/platform/audio_device.cpp). It pulls 16-bit stereo buffer by buffer and tells how
// much it still holds, which keeps the music in step with the show.
#pragma once

#include <cstdint>
#include <memory>

namespace platform::sound {

class AudioDevice {
public:
    // Fills `frames` interleaved stereo frames for the device to play after the
    // `queuedFrames` it holds already. Runs on the device's thread (SDL's audio thread; the
    // page's own).
    using Pull = void (*)(void* listener, int16_t* out, int frames, int64_t queuedFrames);

    // Opens the device for 16-bit stereo at `rate` Hz, about `blockFrames` a pull, and starts
    // pulling; null when there is no device.
    static std::unique_ptr<AudioDevice> open(int rate, int blockFrames, Pull pull, void* listener);
    // The driver in use ("pulseaudio", "alsa", "dummy", "webaudio", …).
    static const char* driverName();

    // Closes the device; a pull in flight finishes first.
    virtual ~AudioDevice() = default;
    // Frames handed to the device and not yet heard.
    virtual int64_t queuedFrames() const = 0;
};

}  // namespace platform::sound
