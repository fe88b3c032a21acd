#include "layers/frame_anim.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "camera/camera.h"
#include "layers/fade_envelope.h"
#include "layers/unit_quad.h"

#include "base/log.h"

FrameAnim::FrameAnim() = default;

void FrameAnim::loadFrames(const char* prefix, int count) {
    frameCount = 0;
    if (!prefix) {
        loadFrame(nullptr, &frames[0]);
        return;
    }
    loadFramesLater(prefix, count);
    while (loadNextFrame()) {
    }
}

void FrameAnim::loadFramesLater(const char* prefix, int count) {
    frameCount = 0;
    pendingPrefix = prefix != nullptr ? prefix : "";
    pendingCount = prefix != nullptr ? count : 0;
    nextNumber = 1;
}

bool FrameAnim::loadNextFrame() {
    if (nextNumber > pendingCount || frameCount >= kMaxFrames) {
        return false;
    }
    char path[1024];
    std::snprintf(path, sizeof path, "%s%d.jpg", pendingPrefix.c_str(), nextNumber);
    ++nextNumber;
    if (loadFrame(path, &frames[frameCount])) {
        ++frameCount;
    }
    return true;
}

bool FrameAnim::unload() {
    if (frameCount == 0) {
        return false;
    }
    glDeleteTextures(frameCount, frames);
    std::fill_n(frames, frameCount, 0u);
    frameCount = 0;
    nextNumber = 1;
    return true;
}

bool FrameAnim::loadFrame(const char* path, GLuint* slot) {
    if (!path) {
        logWindow->print("Phlicks: No filename");
        return false;
    }
    // Frames are loaded again after an unload: a missing one is reported the first time.
    return loader.loadJPGTexture(path, slot, Utility::FailureReport::Once);
}

void FrameAnim::setFade(double in, double holdSeconds, double out) {
    fadeIn = in;
    hold = holdSeconds;
    fadeOut = out;
}

void FrameAnim::setBlend(int src, int dst) {
    blendSrc = src;
    blendDst = dst;
}

int FrameAnim::frameAt(double t) const {
    if (frameCount <= 0) {
        return 0;
    }
    // Truncation toward zero, then a modulo that stays in range for any time or rate.
    double index = std::fmod(std::trunc(t * frameRate), static_cast<double>(frameCount));
    if (!(index >= 0.0)) {
        index = std::isnan(index) ? 0.0 : index + frameCount;
    }
    int frame = static_cast<int>(index);
    return frame < frameCount ? frame : 0;
}

std::array<float, 4> FrameAnim::colourAt(double t) const {
    double a = fadeLevel(t, fadeIn, hold, fadeOut);
    auto p = static_cast<float>(a * peak);
    if (blendSrc == GL_SRC_COLOR && blendDst == GL_ONE_MINUS_SRC_COLOR) {
        return {p, p, p, p};
    }
    return {1.0f, 1.0f, 1.0f, p};
}

void FrameAnim::draw(const Frame& frame) {
    const double localTime = frame.localTime;
    {
        // A frame loaded now is bound as it loads; the caller's binding is theirs again.
        AttributeScope binding(GL_TEXTURE_BIT);
        while (loadNextFrame()) {
        }
    }
    if (frameCount <= 0) {
        return;
    }
    SpriteScope sprite(blendSrc, blendDst);
    const double tune = frame.camera ? frame.camera->tuneX : 0.0;
    glTranslated(x, y, z + zDrift * localTime + tune);
    glRotated(rotation, 0.0, 0.0, 1.0);

    std::array<float, 4> colour = colourAt(localTime);
    glColor4f(colour[0], colour[1], colour[2], colour[3]);

    currentFrame = frameAt(localTime);
    glBindTexture(GL_TEXTURE_2D, frames[currentFrame]);
    drawUnitQuad(QuadMapping::Upright);
}
