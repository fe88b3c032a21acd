// Our sound library: one mixer, MP3 streams, DSP units that see every mixed block, and an
// output (device, non-real-time or silent). Every call but the mixer thread's DSP
// callbacks comes from the main thread; a failing call records an Error for lastError().
#pragma once

#include <cstdint>

#include "platform/sound/error.h"
#include "platform/sound/mixer.h"
#include "platform/sound/output.h"

namespace platform::sound {

class Mp3Stream;

constexpr float kVersion = 3.74f;
float version();
// Tests: report another version (0 restores kVersion).
void overrideVersion(float reported);

Error lastError();
// Why the last failing call failed, in words ("" when there is nothing to add); main
// thread only.
const char* lastErrorReason();

// Starts the mixer and its output; on an initialised layer, closes it first.
bool init(int mixRate, int maxChannels, OutputKind output);
// Stops the output and frees every stream and DSP unit.
void close();
bool initialised();
OutputKind outputKind();
// The audio driver behind the device output, "none" for the others.
const char* outputDriver();

// Takes effect at once, or at init when called before it.
void setMixerKind(MixerKind kind);
MixerKind mixerKind();  // lock-free: DSP callbacks may call it
bool setMasterVolume(int volume);

// Stereo frames per mixed block and in the whole DSP buffer; lock-free constants.
int blockLength();
int bufferLengthTotal();

DspUnit* createDspUnit(DspFunction function, int priority, void* userData);
bool setDspActive(DspUnit* unit, bool active);
bool freeDspUnit(DspUnit* unit);

// An MP3 stream from a path (found ignoring case), stopped at its start.
Mp3Stream* openStream(const char* path);
bool closeStream(Mp3Stream* stream);
bool setStreamLooping(Mp3Stream* stream, bool looping);
// Plays from the current position.
bool playStream(Mp3Stream* stream);
bool stopStream(Mp3Stream* stream);
// Negative times play that much silence before the start; times past the end stop at the
// end (a later seek back plays again).
bool setStreamTime(Mp3Stream* stream, int milliseconds);
int streamTime(Mp3Stream* stream);
// The stream position now being heard: mixed position minus what the output buffers.
double audibleSeconds(Mp3Stream* stream);

// Non-real-time output: mixes the blocks that cover `seconds` more of show time.
void advance(double seconds);
// Receives every mixed block (16-bit stereo) on the mixer's thread; empty to remove.
// May be set before init.
void setSampleSink(SampleSink sink);

}  // namespace platform::sound
