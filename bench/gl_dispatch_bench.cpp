// What the dispatch table costs: the same immediate-mode submission (colour, texture
// coordinates and position per vertex, degenerate triangles so nothing is filled) called
// straight into the system's GL and through render::gl::api, as the drawing code calls.
#include <benchmark/benchmark.h>

#include <GL/gl.h>

#include <cstdio>
#include <string>

#include "platform/window.h"
#include "render/gl/gl_api.h"

namespace {

constexpr int kVertices = 3000;

platform::Window window;

void BM_ImmediateModeDirect(benchmark::State& state) {
    for (auto _ : state) {
        glBegin(GL_TRIANGLES);
        for (int i = 0; i < kVertices; ++i) {
            glColor4f(1, 0.5f, 0.25f, 1);
            glTexCoord2f(0.5f, 0.5f);
            glVertex3f(0, 0, 0);
        }
        glEnd();
        glFinish();
    }
    state.SetItemsProcessed(state.iterations() * kVertices);
}
BENCHMARK(BM_ImmediateModeDirect)->Unit(benchmark::kMicrosecond);

void BM_ImmediateModeThroughTheTable(benchmark::State& state) {
    const render::gl::Api& gl = render::gl::api;
    for (auto _ : state) {
        gl.Begin(GL_TRIANGLES);
        for (int i = 0; i < kVertices; ++i) {
            gl.Color4f(1, 0.5f, 0.25f, 1);
            gl.TexCoord2f(0.5f, 0.5f);
            gl.Vertex3f(0, 0, 0);
        }
        gl.End();
        gl.Finish();
    }
    state.SetItemsProcessed(state.iterations() * kVertices);
}
BENCHMARK(BM_ImmediateModeThroughTheTable)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    std::string detail;
    platform::Window::Options options;
    options.title = "tarvel GL dispatch bench";
    options.offscreen = !platform::Window::hasDisplay();
    if (!platform::Window::initVideo(options.offscreen, detail) ||
        window.create(options, detail) != platform::Window::Error::None) {
        std::fprintf(stderr, "gl_dispatch_bench: no GL context: %s\n", detail.c_str());
        return 1;
    }
    render::gl::useRenderer(render::gl::Renderer::Gl);
    benchmark::RunSpecifiedBenchmarks();
    window.destroy();
    return 0;
}
