#include "show/music.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "base/data_problem.h"
#include "base/log.h"
#include "platform/process.h"
#include "platform/sound/sample_reader.h"
#include "platform/sound/sound.h"

Music* music = nullptr;

namespace sound = platform::sound;

namespace {

constexpr float kRequiredVersion = 3.71f;
constexpr int kCapturePriority = 303;

sound::OutputKind chosenOutput = sound::OutputKind::Device;

// No device, or none that opens: the show still plays, silently but in time.
bool initialiseSound(int mixRate, int maxChannels) {
    if (sound::init(mixRate, maxChannels, chosenOutput))
        return true;
    if (chosenOutput != sound::OutputKind::Device)
        return false;
    logWindow->print("%s Playing without sound.",
                     Music::errorName(static_cast<int>(sound::lastError())));
    if (!sound::init(mixRate, maxChannels, sound::OutputKind::Silent))
        return false;
    // Seen with the log off too: the show is about to play mute. Once: F1 starts again.
    static bool told = false;
    if (!told)
        std::fputs("tarvel: no sound device: playing silently\n", stderr);
    told = true;
    return true;
}

}  // namespace

void Music::selectOutput(sound::OutputKind kind) {
    chosenOutput = kind;
}

sound::OutputKind Music::selectedOutput() {
    return chosenOutput;
}

const char* Music::errorName(int code) {
    static const char* const names[] = {
        "No errors",
        "Cannot call this command after FSOUND_Init.  Call FSOUND_Close first.",
        "This command failed because FSOUND_Init was not called",
        "Error initializing output device.",
        "The output device is already in use and cannot be reused.",
        "Playing the sound failed.",
        ("Soundcard does not support the features needed for this soundsystem (16bit stereo "
         "output)"),
        "Error setting cooperative level for hardware.",
        "Error creating hardware sound buffer.",
        "File not found",
        "Unknown file format",
        "Error loading file",
        "Not enough memory ",
        "The version number of this file format is not supported",
        "An invalid parameter was passed to this function",
        "Tried to use an EAX command on a non EAX enabled channel or output.",
        "Failed to allocate a new channel",
        "Recording not supported on this device",
        "Required Mediaplayer codec is not installed",
    };
    constexpr int count = sizeof(names) / sizeof(names[0]);
    return code >= 0 && code < count ? names[code] : "Unknown error";
}

Music::Music() {
    logWindow->printBanner("Fmod");
    mixRate = 44100;
    maxChannels = 128;
    if (sound::version() < kRequiredVersion) {
        logWindow->alert("Error : Wrong DLL version! Use %.02f\n", kRequiredVersion);
        return;
    }
    if (!initialiseSound(mixRate, maxChannels)) {
        logWindow->alert("%s\n", errorName(static_cast<int>(sound::lastError())));
        platform::exitProcess(1);
        return;
    }
    sound::setMasterVolume(255);
    ring_ = std::make_unique<CaptureRing>(sound::blockLength(), sound::bufferLengthTotal());
    captureUnit_ = sound::createDspUnit(&Music::capture, kCapturePriority, ring_.get());
    sound::setDspActive(captureUnit_, true);
}

Music::~Music() {
    if (stream)
        sound::closeStream(stream);
    if (captureUnit_)
        sound::freeDspUnit(captureUnit_);
}

// Runs on the mixer thread for every mixed block; passes the block on unchanged.
void* Music::capture(void* block, int frames, void* ring) {
    bool floatSamples = sound::mixerKind() == sound::MixerKind::Float;
    static_cast<CaptureRing*>(ring)->write(block, frames, floatSamples);
    return block;
}

void Music::open(const char* path) {
    logWindow->print("Opening mp3 file: %s", path);
    stream = sound::openStream(path);
    if (stream) {
        scopeReader_ = sound::SampleReader::open(path, mixRate);
    }
    if (!stream) {
        const char* reason = sound::lastErrorReason();
        logWindow->alert("%s: %s%s%s%s\n", path, errorName(static_cast<int>(sound::lastError())),
                         *reason ? " (" : "", reason, *reason ? ")" : "");
        DataProblem::tellMissingOr(path, std::string("does not decode as MP3 music: ") +
                                             (*reason ? reason : "unknown format"));
    }
}

void Music::setVolume(int value) {
    sound::setMasterVolume(value);
}

void Music::play() {
    logWindow->print("Playing stream mp3...");
    sound::setStreamLooping(stream, false);
    sound::playStream(stream);
    playing = true;
}

void Music::stop() {
    sound::stopStream(stream);
}

void Music::setPosition(int milliseconds) {
    sound::setStreamTime(stream, milliseconds);
}

void Music::readScope(int indices[256], int values[256]) {
    if (!ring_)
        return;
    ring_->readScope(indices, values);
}

void Music::readScope(double showTime, int indices[256], int values[256]) {
    if (!scopeReader_ || !std::isfinite(showTime))
        return;
    const int block = sound::blockLength();
    // The ring's oldest block ends three blocks before the newest, which ends at `showTime`.
    const auto newestEnd = static_cast<int64_t>(
        std::floor(std::clamp(showTime, -1e6, 1e6) * static_cast<double>(mixRate)));
    const int64_t first =
        newestEnd - static_cast<int64_t>(sound::bufferLengthTotal() / block) * block;
    std::vector<int16_t> stereo(static_cast<size_t>(block) * 2);
    scopeReader_->read(first, stereo.data(), block);
    std::vector<int16_t> mono(static_cast<size_t>(block));
    for (size_t i = 0; i < mono.size(); ++i)
        mono[i] = static_cast<int16_t>((stereo[2 * i] + stereo[2 * i + 1]) >> 1);
    CaptureRing::scopeOf(mono.data(), block, indices, values);
}

void Music::advanceOutput(double seconds) {
    sound::advance(seconds);
}
