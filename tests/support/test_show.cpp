#include "support/test_show.h"

#include "camera/camera.h"
#include "render/world.h"
#include "shell/extensions.h"
#include "support/gl_context.h"

namespace testing_support {

std::unique_ptr<Show> buildShow(const double* tick) {
    resetFrame();
    // The start-up's objects outlive every test, as in the program.
    static World world;
    static Camera showCamera;
    loadExtensions();
    world.initView(kDesignPicture);
    auto show = std::make_unique<Show>(
        Show::Setup{.camera = &showCamera, .music = nullptr, .advanceLoading = {}});
    show->clock().now = [tick] { return *tick; };
    show->clock().endProcess = [](int) {};
    show->clock().startTime = 0;
    return show;
}

}  // namespace testing_support
