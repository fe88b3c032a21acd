#include "layers/loading_screen.h"

#include <cstdio>
#include <utility>

#include "base/world.h"

LoadingScreen* loadingScreen = nullptr;

namespace {

constexpr float kDepth = -0.99f;  // eye depth, just inside the orthographic box

}  // namespace

LoadingScreen::LoadingScreen(std::function<void()> presentFrame)
    : present(std::move(presentFrame)) {
    for (int i = 0; i < kPictureCount; ++i) {
        char path[64];
        std::snprintf(path, sizeof path, "./vintra/loading/l%d.jpg", i + 1);
        loader.loadJPGTexture(path, &pictures[i]);
    }
}

void LoadingScreen::advance() {
    // The same full-window quad as the render context's, at the loading screen's depth.
    world->drawFullWindowQuad(kDepth, pictures[index]);
    glFlush();
    if (present) {
        present();
    }
    index = index + 1 > kPictureCount - 1 ? 0 : index + 1;
}
