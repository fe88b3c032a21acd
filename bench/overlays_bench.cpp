// Cost of the full-window overlays per frame on the machine's GL (offscreen when there is
// no display): capture + stretch-back, and the two-pass film noise.
#include <benchmark/benchmark.h>

#include <GL/gl.h>

#include <cstdio>
#include <string>

#include "base/keys.h"
#include "layers/copy2texture.h"
#include "layers/noise_overlay.h"
#include "platform/window.h"
#include "render/world.h"
#include "shell/extensions.h"
#include "shell/log_window.h"

namespace {

GLuint solidTexture(unsigned char grey) {
    const unsigned char texel[4] = {grey, grey, grey, 255};
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, texel);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glBindTexture(GL_TEXTURE_2D, 0);
    return name;
}

void BM_CaptureAndDrawBack(benchmark::State& state) {
    Copy2Texture overlay;
    for (auto _ : state) {
        overlay.setViewport(kDesignPicture);
        overlay.capture(kDesignPicture);
        overlay.drawFullScreen(0, 1, 1);
        glFinish();
    }
}
BENCHMARK(BM_CaptureAndDrawBack)->Unit(benchmark::kMillisecond);

void BM_NoiseOverlay(benchmark::State& state) {
    Random random;
    NoiseOverlay overlay(random);
    overlay.noiseTextures = {solidTexture(128), solidTexture(64)};
    overlay.white = solidTexture(255);
    for (auto _ : state) {
        overlay.draw();
        glFinish();
    }
}
BENCHMARK(BM_NoiseOverlay)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    platform::Window window;
    platform::Window::Options options;
    options.title = "overlays bench";
    std::string detail;
    if (window.create(options, detail) != platform::Window::Error::None) {
        std::fprintf(stderr, "no GL window: %s\n", detail.c_str());
        return 1;
    }
    logWindow = new LogWindow(false);
    World world;
    loadExtensions();
    world.initView(kDesignPicture);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    window.destroy();
    return 0;
}
