#include "layers/copy2texture.h"

#include "render/gl/gl.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "base/log.h"
#include "render/gl_state.h"
#include "render/letterbox.h"
#include "render/picture_target.h"
#include "render/world.h"

namespace {

// The capture is stretched so that its top falls outside the window.
constexpr float kTopEdge = 1.15f;

}  // namespace

int Copy2Texture::sizeFor(int pictureHeight) {
    const double wanted = static_cast<double>(kSize) * pictureHeight / Letterbox::kDesignHeight;
    int size = 1;
    while (size < wanted) {
        size *= 2;
    }
    if (size > pictureHeight) {
        size = std::max(1, static_cast<int>(std::lround(wanted)));
    }
    return size;
}

Copy2Texture::Copy2Texture() {
    logWindow->printBanner("Copy2Texture object.");
    glGenTextures(1, &texture);
    GLint previous = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &previous);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(previous));
}

// Black until the first capture; each capture gives the texture its pixels anew.
void Copy2Texture::defineBlack() {
    const std::vector<GLubyte> zeroes(static_cast<size_t>(size) * size * 4, 0);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, size, size, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                 zeroes.data());
    defined = true;
}

void Copy2Texture::release() {
    if (!defined) {
        return;
    }
    GLint previous = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &previous);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 0, 0, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(previous));
    defined = false;
}

void Copy2Texture::setViewport(const PixelRect& screen) {
    size = sizeFor(screen.height);
    glViewport(screen.left, screen.bottom, size, size);
}

void Copy2Texture::capture(const PixelRect& screen) {
    // Unit, enable, binding and clear colour are the caller's again afterwards.
    AttributeScope saved(GL_TEXTURE_BIT | GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT);
    glActiveTexture(GL_TEXTURE0_ARB);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, texture);
    // A multisampled picture is copied as it will be seen: resolved.
    render::resolvePicture({screen.left, screen.bottom, size, size});
    glCopyTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, screen.left, screen.bottom, size, size, 0);
    defined = true;
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
}

void Copy2Texture::drawFullScreen(float offset, float brightness, float alpha) {
    SavedState saved;
    World::OrthoScope ortho;
    glLoadIdentity();
    glDisable(GL_CULL_FACE);
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, texture);
    if (!defined) {
        defineBlack();
    }
    glColor4f(brightness, brightness, brightness, alpha);
    const float near = offset;
    const float far = 1 - offset;
    glBegin(GL_QUADS);
    glTexCoord2f(near, near);
    glVertex3f(-1, -1, 0);
    glTexCoord2f(near, far);
    glVertex3f(-1, kTopEdge, 0);
    glTexCoord2f(far, far);
    glVertex3f(1, kTopEdge, 0);
    glTexCoord2f(far, near);
    glVertex3f(1, -1, 0);
    glEnd();
}
