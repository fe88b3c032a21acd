// Cost of placing a camera on a path by fraction and of walking it by distance.
#include <benchmark/benchmark.h>

#include <string>

#include "camera/camera.h"
#include "shell/log_window.h"

namespace {

std::string pathText(int positions) {
    std::string text;
    for (int i = 0; i < positions; ++i) {
        text += std::to_string(i) + " " + std::to_string(i % 7) + " 0  0 0 0  0 1 0\n";
    }
    return text;
}

Camera& benchCamera(int positions) {
    static LogWindow quietLog(false);
    logWindow = &quietLog;
    auto* cam = new Camera;  // lives for the whole run, like the show's cameras
    cam->loadPathFromBytes(pathText(positions), "bench");
    return *cam;
}

void BM_AtFraction(benchmark::State& state) {
    Camera& cam = benchCamera(static_cast<int>(state.range(0)));
    float f = 0.0f;
    for (auto _ : state) {
        cam.placeAtFraction(f);
        benchmark::DoNotOptimize(cam.eye);
        f = f < 1.0f ? f + 0.001f : 0.0f;
    }
}
BENCHMARK(BM_AtFraction)->Arg(8)->Arg(200);

void BM_Advance(benchmark::State& state) {
    Camera& cam = benchCamera(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        if (!cam.advance()) {
            cam.resetPath();
        }
        benchmark::DoNotOptimize(cam.eye);
    }
}
BENCHMARK(BM_Advance)->Arg(8)->Arg(200);

}  // namespace

BENCHMARK_MAIN();
