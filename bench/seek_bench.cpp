// What a seek costs: the whole show built on the generated data set in an offscreen context
// (800 x 600), its music on the non-real-time output, then for a moment in each section the
// first frame after a jump there, from the far end of the show and from its start, beside
// the median of the frames that follow it. A frame is a function of its show time, so the
// jump's frame replays whatever steps by itself (the tower's light, sparks and flicker) up
// to that time: the difference is the seek's cost.
//   seek_bench [DIR]   DIR holds vintra/ (default: the current directory)
#include <GL/gl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "base/keys.h"
#include "camera/camera.h"
#include "layers/loading_screen.h"
#include "offscreen_start.h"
#include "platform/sound/sound.h"
#include "platform/ui.h"
#include "platform/window.h"
#include "render/world.h"
#include "shell/extensions.h"
#include "shell/log_window.h"
#include "show/music.h"
#include "show/show.h"

namespace {

using SteadyClock = std::chrono::steady_clock;

struct Moment {
    const char* section;
    double time;
};

const Moment kMoments[] = {
    {"opening", 5.0},     {"turntable", 20.0}, {"graffiti", 50.0},
    {"morph", 85.0},      {"tower in", 95.0},  {"tower", 108.0},
    {"tower end", 122.3}, {"crew", 140.0},     {"credits", 175.0},
};

double tick = 1000;

// The next frame, after a jump to `time` (the seek's music positioning included), in
// milliseconds.
double jumpTo(Show& show, double time) {
    tick += 1.0 / 60.0;
    const auto start = SteadyClock::now();
    show.clock().seek(time);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    show.drawFrame();
    glFinish();
    return std::chrono::duration<double, std::milli>(SteadyClock::now() - start).count();
}

// The next frame as the clock runs on.
double nextFrame(Show& show) {
    tick += 1.0 / 60.0;
    const auto start = SteadyClock::now();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    show.drawShow();
    glFinish();
    return std::chrono::duration<double, std::milli>(SteadyClock::now() - start).count();
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

std::unique_ptr<Show> buildShow() {
    static World world;
    loadExtensions();
    world.initView(kDesignPicture);
    world.initLights();
    static Camera camera;
    Music::selectOutput(platform::sound::OutputKind::NonRealTime);
    static Music music;
    auto show = std::make_unique<Show>(
        Show::Setup{.camera = &camera, .music = &music, .advanceLoading = {}});
    music.open("./vintra/Ostrel.mp3");
    show->clock().now = [] { return tick; };
    show->clock().endProcess = [](int) {};
    show->clock().frameRate = 60;
    show->clock().musicPending = false;
    return show;
}

}  // namespace

int main(int argc, char** argv) {
    platform::Window window;
    if (!startOffscreen(argc, argv, "seek_bench", window)) {
        return 1;
    }
    std::unique_ptr<Show> show = buildShow();
    // Everything loaded and every pass drawn once, as by the time a person seeks.
    jumpTo(*show, -4.0);
    for (int i = 0; i < 240; ++i) {
        nextFrame(*show);
    }
    for (const Moment& m : kMoments) {
        jumpTo(*show, m.time);
    }
    std::printf("%-10s %8s %14s %14s %12s\n", "section", "time s", "seek back ms", "seek ahead ms",
                "next ms");
    for (const Moment& m : kMoments) {
        jumpTo(*show, 184.0);
        const double back = jumpTo(*show, m.time);
        jumpTo(*show, 0.0);
        const double ahead = jumpTo(*show, m.time);
        std::vector<double> next;
        for (int i = 0; i < 15; ++i) {
            next.push_back(nextFrame(*show));
        }
        std::printf("%-10s %8.2f %14.2f %14.2f %12.2f\n", m.section, m.time, back, ahead,
                    median(next));
    }
    return 0;
}
