#include "platform/sound/sound.h"

#include <algorithm>
#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "platform/sound/device_output.h"
#include "platform/sound/mp3_stream.h"
#include "platform/sound/offline_output.h"
#include "platform/sound/silent_output.h"

namespace platform::sound {

namespace {

struct State {
    std::unique_ptr<Mixer> mixer;
    std::unique_ptr<Output> output;
    OutputKind outputKind = OutputKind::Device;
    std::vector<std::unique_ptr<Mp3Stream>> streams;
    SampleSink sink;  // kept across init, so it can be set before
};

State state;
std::atomic<MixerKind> chosenKind{MixerKind::Int16};
std::atomic<int> errorCode{0};
std::string errorReason;
float reportedVersion = 0;

bool fail(Error error, std::string reason = "") {
    errorCode.store(static_cast<int>(error));
    errorReason = std::move(reason);
    return false;
}

bool succeed() {
    errorCode.store(0);
    errorReason.clear();
    return true;
}

std::unique_ptr<Output> makeOutput(OutputKind kind) {
    switch (kind) {
        case OutputKind::Device:
            return std::make_unique<DeviceOutput>();
        case OutputKind::NonRealTime:
            return std::make_unique<OfflineOutput>();
        case OutputKind::Silent:
            break;
    }
    return std::make_unique<SilentOutput>();
}

// Checks that the layer is up and the stream is one of ours.
// The sound layer is initialised and the call's arguments are sound; false, with the error,
// otherwise.
bool callable(bool argumentsSound) {
    if (!state.mixer)
        return fail(Error::NotInitialised);
    return argumentsSound || fail(Error::InvalidParameter);
}

bool usable(const Mp3Stream* stream) {
    return callable(std::any_of(state.streams.begin(), state.streams.end(),
                                [stream](const auto& s) { return s.get() == stream; }));
}

// Asks the mixer to do something to a stream it knows; false, with the error, otherwise.
template <class Request>
bool onStream(Mp3Stream* stream, Request request) {
    if (!usable(stream))
        return false;
    request(*state.mixer);
    return succeed();
}

}  // namespace

float version() {
    return reportedVersion > 0 ? reportedVersion : kVersion;
}

void overrideVersion(float reported) {
    reportedVersion = reported;
}

Error lastError() {
    return static_cast<Error>(errorCode.load());
}

const char* lastErrorReason() {
    return errorReason.c_str();
}

bool init(int mixRate, int maxChannels, OutputKind output) {
    if (state.mixer)
        close();
    if (mixRate < 4000 || mixRate > 192000 || maxChannels <= 0) {
        return fail(Error::InvalidParameter);
    }
    auto mixer = std::make_unique<Mixer>(mixRate, chosenKind.load());
    mixer->setSink(state.sink);
    auto sink = makeOutput(output);
    if (!sink->start(*mixer))
        return fail(Error::OutputInit);
    state.mixer = std::move(mixer);
    state.output = std::move(sink);
    state.outputKind = output;
    return succeed();
}

void close() {
    if (state.output)
        state.output->stop();
    state.output.reset();
    state.streams.clear();
    state.mixer.reset();
}

const char* outputDriver() {
    return state.mixer && state.outputKind == OutputKind::Device ? DeviceOutput::driverName()
                                                                 : "none";
}

bool initialised() {
    return state.mixer != nullptr;
}

OutputKind outputKind() {
    return state.outputKind;
}

void setMixerKind(MixerKind kind) {
    chosenKind.store(kind);
    if (state.mixer)
        state.mixer->setKind(kind);
}

MixerKind mixerKind() {
    return chosenKind.load(std::memory_order_relaxed);
}

bool setMasterVolume(int volume) {
    if (!callable(volume >= 0 && volume <= 255))
        return false;
    state.mixer->setMasterVolume(volume);
    return succeed();
}

int blockLength() {
    return Mixer::kBlockFrames;
}

int bufferLengthTotal() {
    return Mixer::kBlockFrames * Mixer::kBlocks;
}

DspUnit* createDspUnit(DspFunction function, int priority, void* userData) {
    if (!callable(function != nullptr))
        return nullptr;
    succeed();
    return state.mixer->createUnit(function, priority, userData);
}

bool setDspActive(DspUnit* unit, bool active) {
    if (!callable(unit != nullptr))
        return false;
    state.mixer->setActive(unit, active);
    return succeed();
}

bool freeDspUnit(DspUnit* unit) {
    if (!callable(unit != nullptr))
        return false;
    state.mixer->freeUnit(unit);
    return succeed();
}

Mp3Stream* openStream(const char* path) {
    if (!callable(path != nullptr))
        return nullptr;
    Error error = Error::None;
    std::string reason;
    auto stream = Mp3Stream::open(path, state.mixer->rate(), error, reason);
    if (!stream) {
        fail(error, std::move(reason));
        return nullptr;
    }
    state.streams.push_back(std::move(stream));
    succeed();
    return state.streams.back().get();
}

bool closeStream(Mp3Stream* stream) {
    return onStream(stream, [&](Mixer& mixer) {
        mixer.remove(stream);
        std::erase_if(state.streams, [stream](const auto& s) { return s.get() == stream; });
    });
}

bool setStreamLooping(Mp3Stream* stream, bool looping) {
    return onStream(stream, [&](Mixer& mixer) { mixer.setLooping(stream, looping); });
}

bool playStream(Mp3Stream* stream) {
    return onStream(stream, [&](Mixer& mixer) { mixer.play(stream); });
}

bool stopStream(Mp3Stream* stream) {
    return onStream(stream, [&](Mixer& mixer) { mixer.stop(stream); });
}

bool setStreamTime(Mp3Stream* stream, int milliseconds) {
    return onStream(stream, [&](Mixer& mixer) { mixer.seek(stream, milliseconds); });
}

int streamTime(Mp3Stream* stream) {
    if (!usable(stream))
        return 0;
    succeed();
    return static_cast<int>(state.mixer->positionFrames(stream) * 1000 / state.mixer->rate());
}

double audibleSeconds(Mp3Stream* stream) {
    if (!usable(stream))
        return 0;
    succeed();
    int64_t frames = state.mixer->positionFrames(stream) - state.output->bufferedFrames();
    return static_cast<double>(frames) / state.mixer->rate();
}

void advance(double seconds) {
    if (state.output)
        state.output->advance(seconds);
}

void setSampleSink(SampleSink sink) {
    state.sink = std::move(sink);
    if (state.mixer)
        state.mixer->setSink(state.sink);
}

}  // namespace platform::sound
