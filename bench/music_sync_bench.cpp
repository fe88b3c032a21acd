// Music/picture sync in real-time mode: plays the generated track through the device
// output (SDL; its "dummy" driver when no device opens) and compares a show clock run
// like the main loop's with the stream position actually being heard (mixed position
// minus what SDL and the mixer still buffer), over a plain run, after a pause and after
// a seek. Options: --seconds=N (default 20), --driver=NAME (SDL audio driver).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "base/keys.h"
#include "platform/sound/sound.h"
#include "shell/log_window.h"
#include "show/music.h"
#include "vintra-gen/sound/soundtrack.h"

namespace {

namespace sound = platform::sound;
using Clock = std::chrono::steady_clock;

double runSeconds = 20;

struct Drift {
    std::vector<double> samples;  // milliseconds, heard minus show time
    double max() const {
        double m = 0;
        for (double d : samples)
            m = std::max(m, std::abs(d));
        return m;
    }
    double mean() const {
        double sum = 0;
        for (double d : samples)
            sum += d;
        return samples.empty() ? 0 : sum / samples.size();
    }
    // The share of samples within one block (1024 frames, 23.2 ms) of the show time.
    double withinOneBlock() const {
        size_t inside = 0;
        for (double d : samples)
            inside += std::abs(d) <= 1024 * 1000.0 / 44100 ? 1 : 0;
        return samples.empty() ? 1 : static_cast<double>(inside) / samples.size();
    }
    double meanAbs() const {
        double sum = 0;
        for (double d : samples)
            sum += std::abs(d);
        return samples.empty() ? 0 : sum / samples.size();
    }
};

double seconds(Clock::time_point from) {
    return std::chrono::duration<double>(Clock::now() - from).count();
}

// One show run: frames every 1/60 s; a pause of 0.5 s at a third, a seek to 120 s at two
// thirds. Drift is sampled every frame once 0.2 s have passed since the last transport move.
std::vector<Drift> runShow(Music& music) {
    std::vector<Drift> phases(3);
    auto start = Clock::now();  // the show clock: show time = now − start
    music.play();
    auto settled = Clock::now();
    int phase = 0;
    for (auto begun = Clock::now(); seconds(begun) < runSeconds;) {
        std::this_thread::sleep_for(std::chrono::microseconds(16667));
        double showTime = seconds(start);
        if (phase == 0 && seconds(begun) > runSeconds / 3) {
            music.stop();
            std::this_thread::sleep_for(std::chrono::milliseconds(500));
            start = Clock::now() - std::chrono::duration_cast<Clock::duration>(
                                       std::chrono::duration<double>(showTime));
            music.play();
            music.setPosition(static_cast<int>(showTime * 1000));
            settled = Clock::now();
            phase = 1;
        } else if (phase == 1 && seconds(begun) > 2 * runSeconds / 3) {
            start = Clock::now() - std::chrono::seconds(120);
            music.setPosition(120000);
            settled = Clock::now();
            phase = 2;
        }
        if (seconds(settled) < 0.2)
            continue;
        double heard = sound::audibleSeconds(music.stream);
        phases[phase].samples.push_back((heard - seconds(start)) * 1000);
    }
    music.stop();
    return phases;
}

void musicSync(benchmark::State& state) {
    static const char* const names[] = {"start", "after pause", "after seek"};
    for (auto _ : state) {
        auto begin = Clock::now();
        std::vector<Drift> phases = runShow(*music);
        state.SetIterationTime(seconds(begin));
        Drift all;
        for (size_t i = 0; i < phases.size(); ++i) {
            std::printf(
                "%-12s samples %4zu  max |drift| %6.1f ms  mean drift %+6.1f ms  mean |drift| "
                "%5.1f ms  within one block %5.1f %%\n",
                names[i], phases[i].samples.size(), phases[i].max(), phases[i].mean(),
                phases[i].meanAbs(), 100 * phases[i].withinOneBlock());
            all.samples.insert(all.samples.end(), phases[i].samples.begin(),
                               phases[i].samples.end());
        }
        state.counters["max_drift_ms"] = all.max();
        state.counters["mean_drift_ms"] = all.mean();
        state.counters["mean_abs_drift_ms"] = all.meanAbs();
    }
}

void parseOptions(int& argc, char** argv) {
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--seconds=", 10) == 0) {
            runSeconds = std::max(3.0, std::atof(argv[i] + 10));
        } else if (std::strncmp(argv[i], "--driver=", 9) == 0) {
            setenv("SDL_AUDIODRIVER", argv[i] + 9, 1);
        } else {
            argv[kept++] = argv[i];
        }
    }
    argc = kept;
}

// The generated track; long enough for the seek to 120 s.
std::string writeTrack() {
    std::string path = "/tmp/tarvel-sync-bench.mp3";
    std::vector<uint8_t> bytes = gen::makeSoundtrackClip(126 + runSeconds / 3 + 2);
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return "";
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
    return path;
}

}  // namespace

int main(int argc, char** argv) {
    parseOptions(argc, argv);
    logWindow = new LogWindow(false);
    if (!sound::init(44100, 128, sound::OutputKind::Device)) {
        std::printf("no audio device opens; using SDL's dummy driver\n");
        setenv("SDL_AUDIODRIVER", "dummy", 1);
    }
    sound::close();
    Music::selectOutput(sound::OutputKind::Device);
    music = new Music();
    std::printf("output driver: %s\n", sound::outputDriver());
    std::string track = writeTrack();
    music->open(track.c_str());
    if (!music->stream)
        return 1;
    benchmark::RegisterBenchmark("MusicSync", musicSync)
        ->Iterations(1)
        ->UseManualTime()
        ->Unit(benchmark::kSecond);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
