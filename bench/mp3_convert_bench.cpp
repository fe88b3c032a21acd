// Decoding and converting a whole 185 s track to the mixer's 44.1 kHz stereo, as the music
// stream does while the show plays: at 44.1 kHz (no conversion), 48 kHz and 22.05 kHz.
// One iteration reads the whole file through Mp3Stream; the file is opened (scanned) first.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "platform/sound/mp3_stream.h"
#include "vintra-gen/sound/mp3_encoder.h"

namespace {

constexpr double kTrackSeconds = 185.0;

// A chord with some movement, encoded once per rate.
const std::string& trackAt(int rate) {
    static std::map<int, std::string> paths;
    auto& path = paths[rate];
    if (!path.empty())
        return path;
    const size_t frames = static_cast<size_t>(kTrackSeconds * rate);
    std::vector<int16_t> pcm(frames * 2);
    for (size_t i = 0; i < frames; ++i) {
        double t = static_cast<double>(i) / rate;
        double v =
            std::sin(2 * M_PI * 220 * t) + 0.5 * std::sin(2 * M_PI * 331 * t * (1 + t / 400));
        pcm[2 * i] = static_cast<int16_t>(8000 * v);
        pcm[2 * i + 1] = static_cast<int16_t>(8000 * std::sin(2 * M_PI * 440 * t));
    }
    auto bytes = gen::encodeMp3(pcm, rate, 128);
    path = (std::filesystem::temp_directory_path() /
            ("tarvel-bench-" + std::to_string(getpid()) + "-" + std::to_string(rate) + ".mp3"))
               .string();
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file) {
        std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
    }
    return path;
}

void BM_DecodeAndConvertWholeTrack(benchmark::State& state) {
    const int rate = static_cast<int>(state.range(0));
    const std::string& path = trackAt(rate);
    std::vector<int16_t> block(2 * 1024);
    int64_t frames = 0;
    for (auto _ : state) {
        platform::sound::Error error{};
        auto stream = platform::sound::Mp3Stream::open(path, 44100, error);
        if (!stream) {
            state.SkipWithError("the track did not open");
            return;
        }
        frames = 0;
        while (!stream->atEnd())
            frames += stream->read(block.data(), 1024);
        benchmark::DoNotOptimize(block.data());
    }
    state.counters["track_s"] = static_cast<double>(frames) / 44100.0;
}
BENCHMARK(BM_DecodeAndConvertWholeTrack)
    ->Arg(44100)
    ->Arg(48000)
    ->Arg(22050)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
