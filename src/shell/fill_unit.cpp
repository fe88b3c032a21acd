#include "shell/fill_unit.h"

#include <chrono>
#include <cstdint>
#include <vector>

#include "render/gl/gl.h"
#include "render/gl_state.h"
#include "shell/frame_stats.h"

namespace {

constexpr int kTextureSide = 256;  // the size of most of the show's sprites
constexpr int kWarmUpPasses = 5;   // the renderer builds its code for the state in the first

using SteadyClock = std::chrono::steady_clock;

// A texture with detail in every texel, so sampling cannot take a short cut.
GLuint makeTexture() {
    std::vector<uint8_t> pixels(static_cast<size_t>(kTextureSide) * kTextureSide * 3);
    uint32_t state = 1;
    for (uint8_t& value : pixels) {
        state = state * 214013u + 2531011u;
        value = static_cast<uint8_t>(state >> 16);
    }
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, kTextureSide, kTextureSide, 0, GL_RGB, GL_UNSIGNED_BYTE,
                 pixels.data());
    return name;
}

void drawPass() {
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0);
    glVertex3f(-1, -1, 0);
    glTexCoord2f(1, 0);
    glVertex3f(1, -1, 0);
    glTexCoord2f(1, 1);
    glVertex3f(1, 1, 0);
    glTexCoord2f(0, 1);
    glVertex3f(-1, 1, 0);
    glEnd();
}

double timedPass() {
    const auto begin = SteadyClock::now();
    drawPass();
    glFinish();
    return std::chrono::duration<double, std::milli>(SteadyClock::now() - begin).count();
}

}  // namespace

FillUnit::Result FillUnit::measure(int width, int height, int passes) {
    Result result;
    if (width <= 0 || height <= 0 || passes <= 0) {
        return result;
    }
    std::vector<double> times;
    {
        ColorScope colour;
        AttributeScope attributes(GL_ALL_ATTRIB_BITS);
        ClientAttributeScope pixelStore(GL_CLIENT_PIXEL_STORE_BIT);
        ModelviewScope modelview;
        glLoadIdentity();
        MatrixScope projection(GL_PROJECTION);
        glLoadIdentity();
        glViewport(0, 0, width, height);
        glDisable(GL_DEPTH_TEST);
        glDisable(GL_LIGHTING);
        glDisable(GL_CULL_FACE);
        glDisable(GL_STENCIL_TEST);
        glDisable(GL_SCISSOR_TEST);
        glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
        glEnable(GL_TEXTURE_2D);
        const GLuint texture = makeTexture();
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glColor4f(1, 1, 1, 0.5f);
        for (int i = 0; i < kWarmUpPasses; ++i) {
            drawPass();
        }
        glFinish();
        double spent = 0;
        while (static_cast<int>(times.size()) < passes &&
               (spent < kBudgetMilliseconds || static_cast<int>(times.size()) < kMinimumPasses)) {
            times.push_back(timedPass());
            spent += times.back();
        }
        glDeleteTextures(1, &texture);
        glClear(GL_COLOR_BUFFER_BIT);
    }
    result.passes = static_cast<int>(times.size());
    result.milliseconds = FrameStats::percentile(std::move(times), 0.5);
    return result;
}
