// Short MP3 files for the sound tests, made with the generator's LAME encoder: a signal
// that never repeats, so a block of samples pins down its position in the file.
#pragma once

#include <unistd.h>
#include <cstdint>
#include <cstdio>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/sound/mp3_stream.h"
#include "vintra-gen/sound/mp3_encoder.h"

namespace testing_support {

inline std::vector<int16_t> wanderingSignal(int frames) {
    std::vector<int16_t> pcm(static_cast<size_t>(frames) * 2);
    uint32_t state = 12345;
    double phase = 0;
    for (int i = 0; i < frames; ++i) {
        state = state * 1664525u + 1013904223u;
        phase += (200.0 + 3000.0 * i / frames) / 44100.0;
        double tone = 9000.0 * ((phase - static_cast<long>(phase)) * 2 - 1);
        double hiss = static_cast<int32_t>(state) / 2147483648.0 * 3000.0;
        pcm[2 * i] = static_cast<int16_t>(tone + hiss);
        pcm[2 * i + 1] = static_cast<int16_t>(-tone + hiss);
    }
    return pcm;
}

inline std::string writeFile(const std::string& name, const std::vector<uint8_t>& bytes) {
    auto path = std::filesystem::temp_directory_path() /
                ("tarvel-sound-" + std::to_string(::getpid()) + "-" + name);
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file) {
        if (!bytes.empty())
            std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
    }
    return path.string();
}

// A two-second MP3, written once per test program.
inline const std::string& testMp3() {
    static const std::string path =
        writeFile("two-seconds.mp3", gen::encodeMp3(wanderingSignal(2 * 44100), 44100));
    return path;
}

// The whole file decoded straight through by mpg123, as the reference.
inline std::vector<int16_t> decodeAll(const std::string& path) {
    platform::sound::Error error{};
    auto stream = platform::sound::Mp3Stream::open(path, 44100, error);
    std::vector<int16_t> pcm;
    if (!stream)
        return pcm;
    std::vector<int16_t> block(2 * 4096);
    while (!stream->atEnd()) {
        int got = stream->read(block.data(), 4096);
        pcm.insert(pcm.end(), block.begin(), block.begin() + 2 * got);
    }
    return pcm;
}

}  // namespace testing_support
