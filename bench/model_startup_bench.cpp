// Start-up cost of every model the show loads, prepared as the show prepares it (read,
// scale, textures, light maps, shadow neighbours), in an offscreen GL context.
//   model_startup_bench [DIR]   DIR holds vintra/ (default: the current directory)
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "base/keys.h"
#include "objects/nobject.h"
#include "offscreen_start.h"
#include "platform/ui.h"
#include "platform/window.h"
#include "shell/log_window.h"

namespace {

struct ModelLoad {
    const char* path;
    double scale;
    const char* texture;  // nullptr: none
    bool lightAndShadow;
};

// As the model layers and the tower scene prepare them.
const ModelLoad kModels[] = {
    {"./vintra/turnbody.3ds", 0.01, nullptr, false},
    {"./vintra/turnunderdisc.3ds", 0.01, nullptr, false},
    {"./vintra/turndisc.3ds", 0.01, "./vintra/korrin.jpg", false},
    {"./vintra/text/once_again.3ds", 1, nullptr, false},
    {"./vintra/text/another.3ds", 1, nullptr, false},
    {"./vintra/text/last_minute.3ds", 1, nullptr, false},
    {"./vintra/text/production.3ds", 1, nullptr, false},
    {"./vintra/text/presented_by.3ds", 1, nullptr, false},
    {"./vintra/spnormal.3ds", 1, nullptr, false},
    {"./vintra/spinne.3ds", 1, nullptr, false},
    {"./vintra/tower2.3ds", 0.1, "./vintra/tower/noise8.jpg", true},
    {"./vintra/codedby.3ds", 0.1, "./vintra/coded_by.jpg", true},
    {"./vintra/zorbel.3ds", 0.1, "./vintra/zorbel.jpg", true},
    {"./vintra/tower/t1.3ds", 0.1, "./vintra/tower/text.jpg", true},
    {"./vintra/tower/t2.3ds", 0.1, "./vintra/tower/text.jpg", true},
    {"./vintra/tower/t3.3ds", 0.1, "./vintra/tower/text.jpg", true},
    {"./vintra/tower/t4.3ds", 0.1, "./vintra/tower/text.jpg", true},
    {"./vintra/tower/t5.3ds", 0.1, "./vintra/tower/text.jpg", true},
    {"./vintra/tower/t6.3ds", 0.1, "./vintra/tower/text.jpg", true},
    {"./vintra/tower/t7.3ds", 0.1, "./vintra/tower/text.jpg", true},
    {"./vintra/tower/t8.3ds", 0.1, "./vintra/tower/text.jpg", true},
    {"./vintra/tower/t9.3ds", 0.1, "./vintra/tower/text.jpg", true},
};

double millisecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

}  // namespace

int main(int argc, char** argv) {
    platform::Window window;
    if (!startOffscreen(argc, argv, "model_startup_bench", window)) {
        return 1;
    }
    std::vector<std::unique_ptr<NObject>> objects;
    double total = 0;
    for (const ModelLoad& model : kModels) {
        auto start = std::chrono::steady_clock::now();
        auto object = std::make_unique<NObject>();
        if (!object->load3DS(model.path)) {
            std::fprintf(stderr, "model_startup_bench: %s did not load\n", model.path);
            return 1;
        }
        object->scale(model.scale);
        if (model.texture)
            object->loadTexture(model.texture, 1001);
        if (model.lightAndShadow) {
            object->initLight();
            object->setLightRadius(40);
            object->initShadow();
        }
        double ms = millisecondsSince(start);
        total += ms;
        std::printf("%-34s %8.2f ms\n", model.path, ms);
        objects.push_back(std::move(object));
    }
    std::printf("%-34s %8.2f ms\n", "all models", total);
    return 0;
}
