#include "layers/loading_screen.h"

#include <cstdio>
#include <utility>

#include "base/data_file.h"
#include "render/world.h"

namespace {

constexpr float kDepth = -0.99f;  // eye depth, just inside the orthographic box

}  // namespace

LoadingScreen::LoadingScreen(std::function<void()> presentFrame)
    : present(std::move(presentFrame)) {
    static_assert(data::kLoadingPictures.count == kPictureCount);
    for (int i = 0; i < kPictureCount; ++i) {
        loader.loadJPGTexture(data::kLoadingPictures.member(i + 1).c_str(), &pictures[i]);
    }
}

LoadingScreen::~LoadingScreen() {
    glDeleteTextures(kPictureCount, pictures);
}

void LoadingScreen::advance() {
    // The same full-window quad as the render context's, at the loading screen's depth.
    World::drawFullWindowQuad(kDepth, pictures[index]);
    glFlush();
    if (present) {
        present();
    }
    index = index + 1 > kPictureCount - 1 ? 0 : index + 1;
}
