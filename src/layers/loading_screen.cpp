#include "layers/loading_screen.h"

#include <cstdio>
#include <utility>

#include "shell/globals.h"
#include "show/world.h"

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
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    world->beginOrtho();
    glEnable(GL_TEXTURE_2D);
    glDisable(GL_LIGHTING);
    glDisable(GL_CULL_FACE);
    glDisable(GL_DEPTH_TEST);
    glBindTexture(GL_TEXTURE_2D, pictures[index]);
    // s = (1 − x) / 2, t = (1 − y) / 2: the sprites' mapping.
    glBegin(GL_QUADS);
    glTexCoord2f(1, 0);
    glVertex3f(-1, 1, kDepth);
    glTexCoord2f(1, 1);
    glVertex3f(-1, -1, kDepth);
    glTexCoord2f(0, 1);
    glVertex3f(1, -1, kDepth);
    glTexCoord2f(0, 0);
    glVertex3f(1, 1, kDepth);
    glEnd();
    world->endOrtho();
    glPopAttrib();
    glFlush();
    if (present) {
        present();
    }
    index = index + 1 > kPictureCount - 1 ? 0 : index + 1;
}
