// Captures what a drawing call sends down the pipeline with GL feedback mode: every polygon
// after transformation, as window coordinates plus colour and texture coordinates.
#pragma once

#include <GL/gl.h>

#include <functional>
#include <vector>

namespace testing_support {

struct FeedbackVertex {
    float x, y, z;
    float color[4];
    float tex[4];
};

using FeedbackPolygon = std::vector<FeedbackVertex>;

inline std::vector<FeedbackPolygon> capturePolygons(const std::function<void()>& draw) {
    std::vector<GLfloat> buffer(1 << 20);
    glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D_COLOR_TEXTURE, buffer.data());
    glRenderMode(GL_FEEDBACK);
    draw();
    const GLint used = glRenderMode(GL_RENDER);
    std::vector<FeedbackPolygon> polygons;
    constexpr int kVertexFloats = 11;
    for (GLint i = 0; i < used;) {
        const auto token = static_cast<GLint>(buffer[i]);
        if (token == GL_POLYGON_TOKEN) {
            const auto count = static_cast<GLint>(buffer[i + 1]);
            FeedbackPolygon polygon;
            for (GLint v = 0; v < count; ++v) {
                const GLfloat* f = &buffer[i + 2 + v * kVertexFloats];
                polygon.push_back(
                    {f[0], f[1], f[2], {f[3], f[4], f[5], f[6]}, {f[7], f[8], f[9], f[10]}});
            }
            polygons.push_back(polygon);
            i += 2 + count * kVertexFloats;
        } else if (token == GL_PASS_THROUGH_TOKEN) {
            i += 2;
        } else if (token == GL_LINE_TOKEN || token == GL_LINE_RESET_TOKEN) {
            i += 1 + 2 * kVertexFloats;
        } else {
            i += 1 + kVertexFloats;  // points, bitmaps, pixel rectangles
        }
    }
    return polygons;
}

}  // namespace testing_support
