#include "platform/sound/mixer.h"

#include <algorithm>
#include <chrono>
#include <cmath>

#include "platform/sound/mp3_stream.h"

namespace platform::sound {

namespace {

constexpr int kSamples = Mixer::kBlockFrames * 2;

int16_t clampSample(float value) {
    return static_cast<int16_t>(std::clamp(value, -32768.0f, 32767.0f));
}

}  // namespace

Mixer::Mixer(int rate, MixerKind kind)
    : rate_(rate),
      kind_(kind),
      decoded_(kSamples),
      sumInt_(kSamples),
      blockInt_(kSamples),
      blockFloat_(kSamples),
      output_(kSamples) {}

Mixer::~Mixer() = default;

void Mixer::setKind(MixerKind kind) {
    std::lock_guard guard(lock_);
    kind_.store(kind, std::memory_order_relaxed);
}

void Mixer::setMasterVolume(int volume) {
    std::lock_guard guard(lock_);
    masterVolume_ = std::clamp(volume, 0, 255);
}

void Mixer::play(Mp3Stream* stream) {
    std::lock_guard guard(lock_);
    anchorNow(stream);
    stream->playing = true;
    if (std::find(streams_.begin(), streams_.end(), stream) == streams_.end()) {
        streams_.push_back(stream);
    }
}

void Mixer::stop(Mp3Stream* stream) {
    std::lock_guard guard(lock_);
    forgetAnchor(stream);
    stream->playing = false;
    std::erase(streams_, stream);
}

void Mixer::seek(Mp3Stream* stream, int milliseconds) {
    std::lock_guard guard(lock_);
    stream->seekMilliseconds(milliseconds);
    anchorNow(stream);
}

void Mixer::setLooping(Mp3Stream* stream, bool looping) {
    std::lock_guard guard(lock_);
    stream->looping = looping;
}

int64_t Mixer::positionFrames(const Mp3Stream* stream) {
    std::lock_guard guard(lock_);
    return stream->positionFrames();
}

void Mixer::remove(Mp3Stream* stream) {
    std::lock_guard guard(lock_);
    forgetAnchor(stream);
    std::erase(streams_, stream);
}

DspUnit* Mixer::createUnit(DspFunction function, int priority, void* userData) {
    std::lock_guard guard(lock_);
    auto unit = std::make_unique<DspUnit>(DspUnit{function, priority, userData});
    DspUnit* result = unit.get();
    auto after = std::upper_bound(units_.begin(), units_.end(), priority,
                                  [](int p, const auto& u) { return p < u->priority; });
    units_.insert(after, std::move(unit));
    return result;
}

void Mixer::setActive(DspUnit* unit, bool active) {
    std::lock_guard guard(lock_);
    unit->active = active;
}

void Mixer::freeUnit(DspUnit* unit) {
    std::lock_guard guard(lock_);
    std::erase_if(units_, [unit](const auto& u) { return u.get() == unit; });
}

void Mixer::setSink(SampleSink sink) {
    std::lock_guard guard(lock_);
    sink_ = std::move(sink);
}

void Mixer::forgetAnchor(const Mp3Stream* stream) {
    std::erase_if(anchors_, [stream](const ClockAnchor& a) { return a.stream == stream; });
}

// From now on the stream should be heard from its present position, advancing with the
// clock: what the device still has queued is made up for at the next block.
void Mixer::anchorNow(const Mp3Stream* stream) {
    forgetAnchor(stream);
    const int64_t now = std::chrono::duration_cast<std::chrono::nanoseconds>(
                            std::chrono::steady_clock::now().time_since_epoch())
                            .count();
    anchors_.push_back({stream, now, stream->positionFrames()});
}

void Mixer::keepInStep(int64_t nowNanoseconds, int64_t bufferedFrames) {
    std::lock_guard guard(lock_);
    for (Mp3Stream* stream : streams_) {
        const int64_t position = stream->positionFrames();
        if (position >= stream->lengthFrames()) {
            continue;  // held at its end: nothing left to keep in step
        }
        const int64_t audible = position - bufferedFrames;
        auto anchor = std::find_if(anchors_.begin(), anchors_.end(),
                                   [stream](const ClockAnchor& a) { return a.stream == stream; });
        if (anchor == anchors_.end()) {
            anchors_.push_back({stream, nowNanoseconds, audible});
            continue;
        }
        const int64_t elapsed = (nowNanoseconds - anchor->nanoseconds) * rate_ / 1000000000;
        const int64_t drift = audible - (anchor->audibleFrames + elapsed);
        if (std::abs(drift) > kBlockFrames / 2) {
            stream->seekMilliseconds(static_cast<int>((position - drift) * 1000 / rate_));
        }
    }
}

const int16_t* Mixer::mixBlock() {
    std::lock_guard guard(lock_);
    sumStreams();
    const int16_t* result = toInt16(runUnits());
    if (sink_)
        sink_(result, kBlockFrames);
    return result;
}

// Integer mixing keeps a lone stream at full volume bit-exact.
void Mixer::sumStreams() {
    std::fill(sumInt_.begin(), sumInt_.end(), 0);
    for (Mp3Stream* stream : streams_) {
        stream->read(decoded_.data(), kBlockFrames);
        for (int i = 0; i < kSamples; ++i)
            sumInt_[i] += decoded_[i];
    }
    if (kind() == MixerKind::Int16) {
        for (int i = 0; i < kSamples; ++i) {
            int64_t scaled = static_cast<int64_t>(sumInt_[i]) * masterVolume_ / 255;
            blockInt_[i] = static_cast<int16_t>(std::clamp<int64_t>(scaled, -32768, 32767));
        }
    } else {
        float gain = masterVolume_ / 255.0f;
        for (int i = 0; i < kSamples; ++i)
            blockFloat_[i] = sumInt_[i] * gain;
    }
}

void* Mixer::runUnits() {
    void* block = kind() == MixerKind::Int16 ? static_cast<void*>(blockInt_.data())
                                             : static_cast<void*>(blockFloat_.data());
    for (const auto& unit : units_) {
        if (!unit->active)
            continue;
        void* next = unit->function(block, kBlockFrames, unit->userData);
        if (next)
            block = next;
    }
    return block;
}

const int16_t* Mixer::toInt16(const void* block) {
    if (kind() == MixerKind::Int16)
        return static_cast<const int16_t*>(block);
    const float* samples = static_cast<const float*>(block);
    for (int i = 0; i < kSamples; ++i)
        output_[i] = clampSample(samples[i]);
    return output_.data();
}

}  // namespace platform::sound
