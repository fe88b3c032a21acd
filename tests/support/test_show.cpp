#include "support/test_show.h"

#include "base/frame_state.h"
#include "base/keys.h"
#include "camera/camera.h"
#include "layers/loading_screen.h"
#include "render/world.h"
#include "shell/extensions.h"
#include "show/music.h"
#include "support/gl_context.h"

namespace testing_support {

std::unique_ptr<Show> buildShow(const double* tick) {
    resetFrame();
    if (world == nullptr) {
        world = new World();
    }
    loadExtensions();
    world->initView();
    // The globals outlive every test, as in the program.
    static LoadingScreen screen([] {});
    static Camera showCamera;
    loadingScreen = &screen;
    camera = &showCamera;
    music = nullptr;
    auto show = std::make_unique<Show>();
    show->clock().now = [tick] { return *tick; };
    show->clock().endProcess = [](int) {};
    show->clock().startTime = 0;
    return show;
}

}  // namespace testing_support
