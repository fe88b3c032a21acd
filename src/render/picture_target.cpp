#include "render/picture_target.h"

// Framebuffer objects are the same entry points in desktop GL 3.0 and GL ES 3.0, and they
// go to the context itself, under the show's dispatch table.
#include <GLES3/gl3.h>

#include <algorithm>
#include <cstring>

#include "platform/window.h"
#include "render/gles/entry_points.h"

namespace render {
namespace {

struct Target {
    int width = 0;
    int height = 0;
    int samples = 0;          // of the framebuffer drawn into
    GLuint drawn = 0;         // the framebuffer drawn into: 0 is the window's
    GLuint colour = 0;        // its renderbuffers, when it is ours
    GLuint depthStencil = 0;  // depth and stencil in one, sampled with the colour
    GLuint resolved = 0;      // the plain framebuffer reads come from, or 0
    GLuint resolvedColour = 0;
};

Target target;

void storage(GLuint renderbuffer, int samples, GLenum format, int width, int height) {
    glBindRenderbuffer(GL_RENDERBUFFER, renderbuffer);
    if (samples > 1) {
        glRenderbufferStorageMultisample(GL_RENDERBUFFER, samples, format, width, height);
    } else {
        glRenderbufferStorage(GL_RENDERBUFFER, format, width, height);
    }
}

// Gives every renderbuffer its size; false when the driver leaves a framebuffer
// incomplete.
bool allocate(int width, int height) {
    target.width = width;
    target.height = height;
    if (target.drawn != 0) {
        storage(target.colour, target.samples, GL_RGBA8, width, height);
        storage(target.depthStencil, target.samples, GL_DEPTH24_STENCIL8, width, height);
    }
    if (target.resolved != 0) {
        storage(target.resolvedColour, 0, GL_RGBA8, width, height);
    }
    glBindRenderbuffer(GL_RENDERBUFFER, 0);
    bool complete = true;
    for (GLuint framebuffer : {target.drawn, target.resolved}) {
        if (framebuffer != 0) {
            glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
            complete =
                complete && glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
        }
    }
    return complete;
}

// Frames are drawn into `drawn` and read from `resolved`, for the GL layer too.
void bindForDrawing() {
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, target.drawn);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, target.resolved);
    render::gles::setPictureFramebuffer(target.resolved);
}

bool hasExtension(const char* name) {
    GLint count = 0;
    glGetIntegerv(GL_NUM_EXTENSIONS, &count);
    for (GLint i = 0; i < count; ++i) {
        const auto* extension = reinterpret_cast<const char*>(glGetStringi(GL_EXTENSIONS, i));
        if (extension != nullptr && std::strcmp(extension, name) == 0) {
            return true;
        }
    }
    return false;
}

// Mesa keeps a window's framebuffer upside down, and its rasteriser breaks a tie (an edge
// through a pixel's centre) by the rows as they are stored. A framebuffer object stored the
// same way draws every edge as the window does: with one sample a pixel, the window's very
// picture.
void storeLikeTheWindow(GLuint framebuffer) {
    constexpr GLenum kFlipY = 0x8BBB;  // GL_FRAMEBUFFER_FLIP_Y_MESA
    using Parameter = void (*)(GLenum, GLenum, GLint);
    if (!hasExtension("GL_MESA_framebuffer_flip_y")) {
        return;
    }
    // The core call where the context has it (GL 4.3, GL ES 3.1), else the extension's own.
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    for (const char* name : {"glFramebufferParameteri", "glFramebufferParameteriMESA"}) {
        auto set = reinterpret_cast<Parameter>(platform::glProcAddress(name));
        if (set != nullptr) {
            set(GL_FRAMEBUFFER, kFlipY, GL_TRUE);
            if (glGetError() == GL_NO_ERROR) {
                return;
            }
        }
    }
}

GLuint makeResolveTarget() {
    glGenFramebuffers(1, &target.resolved);
    glGenRenderbuffers(1, &target.resolvedColour);
    glBindRenderbuffer(GL_RENDERBUFFER, target.resolvedColour);
    glBindFramebuffer(GL_FRAMEBUFFER, target.resolved);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER,
                              target.resolvedColour);
    return target.resolved;
}

}  // namespace

bool drawPictureOffscreen(int width, int height, int samples, std::string& note) {
    releasePicture();
    GLint most = 0;
    glGetIntegerv(GL_MAX_SAMPLES, &most);
    if (samples > std::max(most, 1)) {
        note = std::to_string(samples) + " samples a pixel asked for, the driver offers at most " +
               std::to_string(most);
        samples = std::max(most, 1);
    }
    target.samples = samples;
    glGenFramebuffers(1, &target.drawn);
    glGenRenderbuffers(1, &target.colour);
    glGenRenderbuffers(1, &target.depthStencil);
    // A renderbuffer's name becomes an object, one a framebuffer can hold, when first bound.
    glBindRenderbuffer(GL_RENDERBUFFER, target.colour);
    glBindRenderbuffer(GL_RENDERBUFFER, target.depthStencil);
    glBindFramebuffer(GL_FRAMEBUFFER, target.drawn);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, target.colour);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER,
                              target.depthStencil);
    storeLikeTheWindow(target.drawn);
    makeResolveTarget();
    if (!allocate(width, height)) {
        releasePicture();
        note = "the driver makes no framebuffer of " + std::to_string(samples) +
               " samples a pixel at " + std::to_string(width) + "x" + std::to_string(height);
        return false;
    }
    if (samples > 1) {
        GLint got = 0;
        glBindFramebuffer(GL_FRAMEBUFFER, target.drawn);
        glGetIntegerv(GL_SAMPLES, &got);
        target.samples = got;
    }
    bindForDrawing();
    return true;
}

void drawPictureInWindow(int width, int height) {
    releasePicture();
    GLint samples = 0;
    glGetIntegerv(GL_SAMPLES, &samples);
    target.samples = samples;
    if (samples > 0) {
        makeResolveTarget();
        allocate(width, height);
    }
    target.width = width;
    target.height = height;
    bindForDrawing();
}

void resizePicture(int width, int height) {
    if ((target.drawn == 0 && target.resolved == 0) ||
        (width == target.width && height == target.height)) {
        return;
    }
    render::gles::playHeldBack();
    allocate(width, height);
    bindForDrawing();
}

void releasePicture() {
    if (target.drawn != 0 || target.resolved != 0) {
        render::gles::playHeldBack();
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        const GLuint framebuffers[] = {target.drawn, target.resolved};
        glDeleteFramebuffers(2, framebuffers);
        const GLuint renderbuffers[] = {target.colour, target.depthStencil, target.resolvedColour};
        glDeleteRenderbuffers(3, renderbuffers);
    }
    target = Target{};
    render::gles::setPictureFramebuffer(0);
}

int pictureSamples() {
    return target.samples;
}

void resolvePicture() {
    resolvePicture({0, 0, target.width, target.height});
}

void resolvePicture(const platform::PixelRect& area) {
    if (target.resolved == 0) {
        return;
    }
    // The GL layer holds draws back until it must: they go before the blit that resolves them.
    render::gles::playHeldBack();
    // A blit is cut to the scissor box like a draw; the resolve is not the frame's drawing.
    const bool scissor = glIsEnabled(GL_SCISSOR_TEST) == GL_TRUE;
    if (scissor) {
        glDisable(GL_SCISSOR_TEST);
    }
    const int right = area.left + area.width;
    const int top = area.bottom + area.height;
    glBindFramebuffer(GL_READ_FRAMEBUFFER, target.drawn);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, target.resolved);
    glBlitFramebuffer(area.left, area.bottom, right, top, area.left, area.bottom, right, top,
                      GL_COLOR_BUFFER_BIT, GL_NEAREST);
    bindForDrawing();
    if (scissor) {
        glEnable(GL_SCISSOR_TEST);
    }
}

}  // namespace render
