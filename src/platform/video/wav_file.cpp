#include "platform/video/wav_file.h"

#include <array>
#include <cstdio>
#include <vector>

namespace platform::video {

namespace {

constexpr int kChannels = 2;
constexpr int kBytesPerSample = 2;
constexpr uint64_t kLargestData = 0xffffffffull - 36;  // what a RIFF size field holds

void put32(std::vector<uint8_t>& out, uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<uint8_t>(value >> shift));
}

void put16(std::vector<uint8_t>& out, uint16_t value) {
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

void putTag(std::vector<uint8_t>& out, const char* tag) {
    out.insert(out.end(), tag, tag + 4);
}

}  // namespace

WavFile::~WavFile() {
    discard();
}

bool WavFile::open(const std::string& path, const FileSettings& settings) {
    discard();
    error_.clear();
    sampleRate_ = settings.sampleRate;
    dataBytes_ = 0;
    file_ = std::make_unique<PendingFile>(path);
    if (!file_->open(error_) || !writeHeader()) {
        discard();
        return false;
    }
    description_ = "16-bit stereo PCM WAV at " + std::to_string(sampleRate_) + " Hz";
    return true;
}

// The sizes are filled in again once the sound is complete.
bool WavFile::writeHeader() {
    const uint32_t data = static_cast<uint32_t>(dataBytes_);
    std::vector<uint8_t> header;
    putTag(header, "RIFF");
    put32(header, 36 + data);
    putTag(header, "WAVE");
    putTag(header, "fmt ");
    put32(header, 16);
    put16(header, 1);  // PCM
    put16(header, kChannels);
    put32(header, static_cast<uint32_t>(sampleRate_));
    put32(header, static_cast<uint32_t>(sampleRate_ * kChannels * kBytesPerSample));
    put16(header, kChannels * kBytesPerSample);
    put16(header, 8 * kBytesPerSample);
    putTag(header, "data");
    put32(header, data);
    FILE* stream = file_->stream();
    if (std::fseek(stream, 0, SEEK_SET) != 0 ||
        std::fwrite(header.data(), 1, header.size(), stream) != header.size() ||
        std::fseek(stream, 0, SEEK_END) != 0) {
        error_ = "cannot write the WAV header";
        return false;
    }
    return true;
}

bool WavFile::writeSound(const int16_t* frames, int count) {
    if (!file_ || count < 0)
        return false;
    const uint64_t bytes = static_cast<uint64_t>(count) * kChannels * kBytesPerSample;
    if (dataBytes_ + bytes > kLargestData) {
        error_ = "the sound is longer than a WAV file can hold";
        return false;
    }
    std::vector<uint8_t> little;
    little.reserve(static_cast<size_t>(bytes));
    for (size_t i = 0; i < static_cast<size_t>(count) * kChannels; ++i)
        put16(little, static_cast<uint16_t>(frames[i]));
    if (std::fwrite(little.data(), 1, little.size(), file_->stream()) != little.size()) {
        error_ = "cannot write the sound";
        return false;
    }
    dataBytes_ += bytes;
    return true;
}

bool WavFile::finish() {
    if (!file_)
        return false;
    if (!writeHeader() || !file_->commit(error_)) {
        discard();
        return false;
    }
    file_.reset();
    return true;
}

void WavFile::discard() {
    file_.reset();  // a pending file removes its temporary file
}

}  // namespace platform::video
