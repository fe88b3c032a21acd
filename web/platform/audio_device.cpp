// The sound device in the browser: a Web Audio script processor on the page's audio context
// pulls 16-bit stereo on the page's thread. The page makes the context when its OK is
// clicked (browsers start audio only after a click), or the device makes it suspended for
// the page to resume on a click. How much is still queued comes from the context's own
// clock.
#include <emscripten/emscripten.h>

#include "platform/sound/audio_device.h"

namespace platform::sound {
namespace {

// Frames per script-processor call: about 93 ms at 44,100 Hz, so a slow frame of the
// page does not leave the speakers without sound.
constexpr int kDeviceFrames = 4096;

// clang-format off
EM_JS(bool, openProcessor, (int rate, int frames, void* device), {
    const audio = Module["tarvelAudio"];
    if (!audio)
        return false;
    if (!audio.context) {
        try {
            audio.context = new AudioContext({sampleRate : rate});
        } catch (e) {
            return false;
        }
    }
    const context = audio.context;
    if (context.sampleRate != rate)
        return false;
    const block = _malloc(frames * 4);
    const node = context.createScriptProcessor(frames, 0, 2);
    node.onaudioprocess = function(event) {
        audio.fillStart = event.playbackTime;
        audio.filling = true;
        _tarvel_audio_fill(device, block, frames);
        audio.filling = false;
        audio.queuedEnd = event.playbackTime + frames / rate;
        const samples = HEAP16.subarray(block >> 1, (block >> 1) + frames * 2);
        const left = event.outputBuffer.getChannelData(0);
        const right = event.outputBuffer.getChannelData(1);
        for (let i = 0; i < frames; ++i) {
            left[i] = samples[2 * i] / 32768;
            right[i] = samples[2 * i + 1] / 32768;
        }
    };
    // Through the page's volume, where it has one.
    node.connect(audio.output ? audio.output(context) : context.destination);
    audio.node = node;
    audio.block = block;
    audio.queuedEnd = 0;
    if (context.state != "running")
        context.resume();
    return true;
});
// clang-format on

// clang-format off
EM_JS(void, closeProcessor, (), {
    const audio = Module["tarvelAudio"];
    if (!audio || !audio.node)
        return;
    audio.node.onaudioprocess = null;
    audio.node.disconnect();
    _free(audio.block);
    audio.node = null;
});
// clang-format on

// Seconds of sound handed to the context and not yet heard: while a buffer is being
// filled, what plays before it.
// clang-format off
EM_JS(double, queuedSeconds, (), {
    const audio = Module["tarvelAudio"];
    if (!audio || !audio.context)
        return 0;
    const context = audio.context;
    const end = audio.filling ? audio.fillStart : audio.queuedEnd;
    const latency = (context.outputLatency || 0) + (context.baseLatency || 0);
    return Math.max(0, end - context.currentTime) + latency;
});
// clang-format on

class WebAudioDevice final : public AudioDevice {
public:
    WebAudioDevice(int rate, Pull pull, void* listener)
        : rate_(rate), pull_(pull), listener_(listener) {}
    ~WebAudioDevice() override {
        if (open_)
            closeProcessor();
    }

    bool open() {
        open_ = openProcessor(rate_, kDeviceFrames, this);
        return open_;
    }

    int64_t queuedFrames() const override { return static_cast<int64_t>(queuedSeconds() * rate_); }

    void fill(int16_t* block, int frames) { pull_(listener_, block, frames, queuedFrames()); }

private:
    int rate_;
    Pull pull_;
    void* listener_;
    bool open_ = false;
};

}  // namespace

std::unique_ptr<AudioDevice> AudioDevice::open(int rate, int, Pull pull, void* listener) {
    auto device = std::make_unique<WebAudioDevice>(rate, pull, listener);
    if (!device->open())
        return nullptr;
    return device;
}

const char* AudioDevice::driverName() {
    return "webaudio";
}

}  // namespace platform::sound

// Called by the script processor for each buffer it plays.
extern "C" EMSCRIPTEN_KEEPALIVE void tarvel_audio_fill(void* device, int16_t* block, int frames) {
    static_cast<platform::sound::WebAudioDevice*>(device)->fill(block, frames);
}
