// The software mixer: sums the playing streams into blocks of 1024 stereo frames, runs
// the active DSP units over each block in priority order and hands the result to a
// sample sink. One mutex guards it; outputs call mixBlock from their own thread.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

namespace platform::sound {

class Mp3Stream;

// Int16: interleaved signed 16-bit pairs. Float: interleaved float pairs on the same scale
// (±32768), as a quality mixer delivers them.
enum class MixerKind { Int16, Float };

// Called on the mixer thread with the block (in the mixer's sample kind) and its length in
// stereo frames; returns the buffer the next unit gets. It runs under the mixer's lock and
// must not call back into the sound layer, except the lock-free queries.
using DspFunction = void* (*)(void* block, int frames, void* userData);

// Receives every mixed block as 16-bit stereo, after the DSP units.
using SampleSink = std::function<void(const int16_t* frames, int count)>;

struct DspUnit {
    DspFunction function;
    int priority;
    void* userData;
    bool active = false;
};

class Mixer {
public:
    static constexpr int kBlockFrames = 1024;
    static constexpr int kBlocks = 4;  // blocks in the DSP buffer

    Mixer(int rate, MixerKind kind);
    ~Mixer();

    int rate() const { return rate_; }
    MixerKind kind() const { return kind_.load(std::memory_order_relaxed); }
    void setKind(MixerKind kind);
    void setMasterVolume(int volume);  // 0 … 255

    void play(Mp3Stream* stream);
    void stop(Mp3Stream* stream);
    void seek(Mp3Stream* stream, int milliseconds);
    void setLooping(Mp3Stream* stream, bool looping);
    int64_t positionFrames(const Mp3Stream* stream);
    // Forgets the stream; no block mixes it once this returns.
    void remove(Mp3Stream* stream);

    DspUnit* createUnit(DspFunction function, int priority, void* userData);
    void setActive(DspUnit* unit, bool active);
    void freeUnit(DspUnit* unit);
    void setSink(SampleSink sink);

    // Real-time outputs, before each block: keeps every playing stream's audible position
    // (its position less `bufferedFrames` still queued at the device) advancing with the
    // steady clock. A device that plays a little fast or slow would otherwise drift away
    // from the show; past half a block the stream is set back in step.
    void keepInStep(int64_t nowNanoseconds, int64_t bufferedFrames);

    // Mixes the next block; the result stays valid until the next call.
    const int16_t* mixBlock();

private:
    void sumStreams();
    void* runUnits();
    const int16_t* toInt16(const void* block);

    const int rate_;
    std::atomic<MixerKind> kind_;
    std::mutex lock_;
    int masterVolume_ = 255;
    std::vector<Mp3Stream*> streams_;

    // Where a stream should be heard at a moment of the steady clock: set when it is
    // started or positioned.
    struct ClockAnchor {
        const Mp3Stream* stream;
        int64_t nanoseconds;
        int64_t audibleFrames;
    };
    std::vector<ClockAnchor> anchors_;
    void forgetAnchor(const Mp3Stream* stream);
    void anchorNow(const Mp3Stream* stream);
    std::vector<std::unique_ptr<DspUnit>> units_;  // sorted by priority, stable
    SampleSink sink_;
    std::vector<int16_t> decoded_;
    std::vector<int32_t> sumInt_;
    std::vector<int16_t> blockInt_;
    std::vector<float> blockFloat_;
    std::vector<int16_t> output_;
};

}  // namespace platform::sound
