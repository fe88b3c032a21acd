// The show's music: one MP3 stream played through our sound layer, with a capture unit
// that keeps a mono copy of the latest output for the morphing model.
#pragma once

#include <memory>

#include "base/scope_source.h"
#include "platform/sound/output.h"
#include "show/capture_ring.h"

namespace platform::sound {
class Mp3Stream;
class SampleReader;
struct DspUnit;
}  // namespace platform::sound

class Music : public ScopeSource {
public:
    // Where the sound goes; chosen before the music object is constructed. The device
    // output falls back to the silent one when no device opens.
    static void selectOutput(platform::sound::OutputKind kind);
    static platform::sound::OutputKind selectedOutput();
    // The text for a sound layer error code.
    static const char* errorName(int code);

    Music();
    // Closes the stream and removes the capture unit; the sound layer stays up.
    ~Music();

    void open(const char* path);
    void setVolume(int value);
    void play();
    void stop();
    void setPosition(int milliseconds);
    // 256 sample positions and amplitudes (0 … 999) from the capture ring: what was mixed
    // last.
    void readScope(int indices[256], int values[256]);
    // The same from the stream itself: the block the ring would hold as its oldest when
    // the music is at `showTime`, whatever was mixed before. The arrays stay as they were
    // when no stream is open.
    void readScope(double showTime, int indices[256], int values[256]) override;
    // Non-real-time output: mixes the sound for `seconds` more of show time. Call once per
    // frame with the frame's step; does nothing with the other outputs.
    void advanceOutput(double seconds);

    int mixRate = 44100;
    int maxChannels = 128;
    platform::sound::Mp3Stream* stream = nullptr;
    int reserved1 = 0;
    int reserved2 = 0;
    bool playing = false;

    // Null when the sound layer was not initialised.
    CaptureRing* ring() const { return ring_.get(); }

private:
    static void* capture(void* block, int frames, void* ring);

    std::unique_ptr<CaptureRing> ring_;
    std::unique_ptr<platform::sound::SampleReader> scopeReader_;
    platform::sound::DspUnit* captureUnit_ = nullptr;
};

extern Music* music;  // created at start-up
