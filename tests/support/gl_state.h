// A snapshot of the GL state a layer might leave behind: enables, blend function, matrices,
// bound texture, current colour, depth mask, texture environment. Two snapshots compare
// equal when the layer restored everything.
#pragma once

#include <GL/gl.h>

#include <array>
#include <string>

namespace testing_support {

struct GlState {
    std::array<GLboolean, 10> enables{};
    GLint blendSrc = 0, blendDst = 0;
    std::array<GLfloat, 16> modelview{}, projection{}, texture{};
    GLint matrixMode = 0;
    GLint boundTexture = 0;
    std::array<GLfloat, 4> color{};
    GLboolean depthMask = GL_TRUE;
    GLint depthFunc = 0;
    GLint texEnvMode = 0;
    GLint viewport[4] = {};
    GLint modelviewDepth = 0, projectionDepth = 0, attribDepth = 0;

    static GlState capture();
    bool operator==(const GlState& other) const;
    // The fields that differ, for failure messages.
    std::string differences(const GlState& other) const;
};

}  // namespace testing_support
