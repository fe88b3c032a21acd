// The real-time output in the browser: a Web Audio script processor on the page's audio
// context pulls 16-bit stereo from the mixer on the page's thread. The page makes the
// context when its OK is clicked (browsers start audio only after a click). How much is
// still queued comes from the context's own clock, so the mixer keeps the music in step
// with the show as the device output does on the desktop.
#include <emscripten/emscripten.h>

#include <algorithm>
#include <cstring>

#include "platform/sound/device_output.h"
#include "platform/sound/mixer.h"

namespace platform::sound {
namespace {

// Frames per script-processor call: about 93 ms at 44,100 Hz, so a slow frame of the
// page does not leave the speakers without sound.
constexpr int kDeviceFrames = 4096;

DeviceOutput* playing = nullptr;
// The output's own entry for a buffer of frames, for the script processor's calls.
void (*fillEntry)(void*, uint8_t*, int) = nullptr;

// clang-format off
EM_JS(bool, openProcessor, (int rate, int frames), {
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
        _tarvel_audio_fill(block, frames);
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
    node.connect(context.destination);
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

// Seconds of sound handed to the context and not yet heard.
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

int64_t queuedFrames(int rate) {
    return static_cast<int64_t>(queuedSeconds() * rate);
}

}  // namespace

bool DeviceOutput::start(Mixer& mixer) {
    mixer_ = &mixer;
    if (!openProcessor(mixer.rate(), kDeviceFrames))
        return false;
    deviceFrames_ = kDeviceFrames;
    playing = this;
    fillEntry = &DeviceOutput::callback;
    return true;
}

const char* DeviceOutput::driverName() {
    return "webaudio";
}

void DeviceOutput::stop() {
    if (playing != this)
        return;
    closeProcessor();
    playing = nullptr;
}

int64_t DeviceOutput::bufferedFrames() const {
    return queuedFrames(mixer_->rate()) + pendingLeft_.load(std::memory_order_relaxed);
}

void DeviceOutput::callback(void* self, uint8_t* stream, int length) {
    auto* output = static_cast<DeviceOutput*>(self);
    output->fill(reinterpret_cast<int16_t*>(stream),
                 length / static_cast<int>(2 * sizeof(int16_t)));
}

void DeviceOutput::fill(int16_t* out, int frames) {
    int written = 0;
    while (written < frames) {
        int available = static_cast<int>(pending_.size() / 2) - pendingOffset_;
        if (available == 0) {
            // Queued: what the context still holds before this buffer, and the part of
            // this buffer already filled.
            const auto now = static_cast<int64_t>(emscripten_get_now() * 1e6);
            mixer_->keepInStep(now, queuedFrames(mixer_->rate()) + written);
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
}

}  // namespace platform::sound

// Called by the script processor for each buffer it plays.
extern "C" EMSCRIPTEN_KEEPALIVE void tarvel_audio_fill(int16_t* block, int frames) {
    if (platform::sound::playing)
        platform::sound::fillEntry(platform::sound::playing, reinterpret_cast<uint8_t*>(block),
                                   frames * 2 * static_cast<int>(sizeof(int16_t)));
}
