// Where the tower scene's frame time goes, on the generated data set (run from the directory
// that holds vintra/, or pass --data=DIR): the whole frame, and each of its passes alone,
// seen through the first tower cut's camera.
#include <benchmark/benchmark.h>

#include <GL/gl.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "base/keys.h"
#include "camera/camera.h"
#include "layers/noise_overlay.h"
#include "layers/tower.h"
#include "objects/light_particles.h"
#include "objects/nobject.h"
#include "platform/window.h"
#include "render/world.h"
#include "shell/extensions.h"
#include "shell/log_window.h"

namespace {

constexpr double kTowerWindow = 94.56 - 26.88;  // local time at which the window opens

Tower* scene = nullptr;
World* world = nullptr;
Camera* camera = nullptr;  // the first tower cut's, half way along

// The scene's frame at local time t, through the camera.
Frame frameAt(double t) {
    Frame frame = Frame::at(t);
    frame.camera = camera;
    return frame;
}

void clearFrame() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
}

// The scene's view and light as a frame sets them up, for the passes measured alone.
void sceneView() {
    glMatrixMode(GL_PROJECTION);
    glLoadMatrixf(scene->projection.m);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glEnable(GL_CULL_FACE);
    camera->lookAt();
    const Vector3 light = scene->lightPath->getEye();
    world->setLightPosition(light.x, light.y, light.z);
    for (NObject* model : {scene->tower.get(), scene->codedBy.get(), scene->author.get()}) {
        model->setLightPosition(light);
    }
    for (auto& text : scene->texts) {
        text->setLightPosition(light);
    }
}

template <typename Pass>
void measurePass(benchmark::State& state, Pass pass) {
    for (auto _ : state) {
        clearFrame();
        sceneView();
        pass();
        glFinish();
    }
    glDisable(GL_CULL_FACE);
    world->initView(kDesignPicture);
}

void eachModel(void (*draw)(NObject&)) {
    draw(*scene->tower);
    draw(*scene->codedBy);
    draw(*scene->author);
    for (auto& text : scene->texts) {
        draw(*text);
    }
}

void BM_WholeFrame(benchmark::State& state) {
    double t = kTowerWindow;
    for (auto _ : state) {
        clearFrame();
        scene->draw(frameAt(t));
        glFinish();
        t += 1.0 / 60.0;
    }
}
BENCHMARK(BM_WholeFrame)->Unit(benchmark::kMillisecond);

void BM_TexturedModels(benchmark::State& state) {
    measurePass(state, [] { eachModel([](NObject& m) { m.draw(ShadeType::Texture); }); });
}
BENCHMARK(BM_TexturedModels)->Unit(benchmark::kMillisecond);

// The same with almost nothing to fill: what the vertices cost.
void BM_TexturedModelsVerticesOnly(benchmark::State& state) {
    measurePass(state, [] {
        glViewport(0, 0, 8, 6);
        eachModel([](NObject& m) { m.draw(ShadeType::Texture); });
        glViewport(0, 0, kDesignPicture.width, kDesignPicture.height);
    });
}
BENCHMARK(BM_TexturedModelsVerticesOnly)->Unit(benchmark::kMillisecond);

void BM_LightMaps(benchmark::State& state) {
    measurePass(state, [] { eachModel([](NObject& m) { m.draw(ShadeType::LightMap); }); });
}
BENCHMARK(BM_LightMaps)->Unit(benchmark::kMillisecond);

void BM_ShadowVolumes(benchmark::State& state) {
    measurePass(state, [] { eachModel([](NObject& m) { m.draw(ShadeType::Shadow); }); });
}
BENCHMARK(BM_ShadowVolumes)->Unit(benchmark::kMillisecond);

void BM_ShadowVolumesVerticesOnly(benchmark::State& state) {
    measurePass(state, [] {
        glViewport(0, 0, 8, 6);
        eachModel([](NObject& m) { m.draw(ShadeType::Shadow); });
        glViewport(0, 0, kDesignPicture.width, kDesignPicture.height);
    });
}
BENCHMARK(BM_ShadowVolumesVerticesOnly)->Unit(benchmark::kMillisecond);

void BM_Sparks(benchmark::State& state) {
    measurePass(state, [] {
        scene->sparks->render(camera);
        scene->sparks->update(camera);
        scene->burstSparks->update(camera);
        scene->burstSparks->render(camera);
    });
}
BENCHMARK(BM_Sparks)->Unit(benchmark::kMillisecond);

void BM_Clear(benchmark::State& state) {
    measurePass(state, [] {});
}
BENCHMARK(BM_Clear)->Unit(benchmark::kMillisecond);

// The model passes as the frame draws them: shadows only over the tower, and only those that
// can fall on it.
void BM_ModelsAsDrawn(benchmark::State& state) {
    measurePass(state, [] { scene->drawModels(); });
}
BENCHMARK(BM_ModelsAsDrawn)->Unit(benchmark::kMillisecond);

void BM_Glow(benchmark::State& state) {
    measurePass(state, [] {
        scene->drawModels();
        scene->drawGlow();
    });
}
BENCHMARK(BM_Glow)->Unit(benchmark::kMillisecond);

void BM_NoiseOverlay(benchmark::State& state) {
    measurePass(state, [] {
        scene->overlay->step();
        scene->overlay->paint();
    });
}
BENCHMARK(BM_NoiseOverlay)->Unit(benchmark::kMillisecond);

// What a seek to the end of the scene replays: every step of its moving state, from its start
// state, without drawing.
void BM_ReplayWholeWindow(benchmark::State& state) {
    const int64_t steps = std::llround((122.4 - 94.56) * SceneSteps::kStepsPerSecond);
    for (auto _ : state) {
        scene->stepTo(0);
        scene->stepTo(steps);
    }
    state.counters["steps"] = static_cast<double>(steps);
}
BENCHMARK(BM_ReplayWholeWindow)->Unit(benchmark::kMillisecond);

// --data=DIR changes to DIR; every other argument is the benchmark library's.
void takeDataOption(int& argc, char** argv) {
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--data=", 7) == 0) {
            if (chdir(argv[i] + 7) != 0) {
                std::fprintf(stderr, "cannot change to %s\n", argv[i] + 7);
            }
        } else {
            argv[kept++] = argv[i];
        }
    }
    argc = kept;
}

}  // namespace

int main(int argc, char** argv) {
    takeDataOption(argc, argv);
    platform::Window window;
    platform::Window::Options options;
    options.title = "tower bench";
    std::string detail;
    if (window.create(options, detail) != platform::Window::Error::None) {
        std::fprintf(stderr, "no GL window: %s\n", detail.c_str());
        return 1;
    }
    logWindow = new LogWindow(false);
    world = new World();
    loadExtensions();
    world->initView(kDesignPicture);
    world->initLights();
    Camera view;
    view.loadPath("./vintra/cameras/tower_a.pos");
    view.placeAtFraction(0.5f);
    camera = &view;

    const auto start = std::chrono::steady_clock::now();
    scene = new Tower();
    const std::chrono::duration<double, std::milli> built =
        std::chrono::steady_clock::now() - start;
    std::printf("tower scene built in %.1f ms\n", built.count());
    // Into the scene as the show enters it, so the light and sparks are under way.
    for (int i = 0; i < 120; ++i) {
        clearFrame();
        scene->draw(frameAt(kTowerWindow - 2.0 + i / 60.0));
    }

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    window.destroy();
    return 0;
}
