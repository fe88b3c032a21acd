// Immediate mode and vertex arrays: each vertex takes the current colour, normal and both
// units' texture coordinates, so GL ES gets full per-vertex arrays.
#include <cstring>
#include <utility>

#include "render/gles/context.h"
#include "render/gles/entry_points.h"

namespace render::gles {

namespace {

void finishPrimitive(Context& c) {
    // A list is split once, as a draw within the view volume is.
    bool clipped = false;
    if (c.recording == 0 && (c.beginMode == GL_QUADS || c.beginMode == GL_QUAD_STRIP)) {
        clipped = anyOutside(Matrix::product(c.projection.back(), c.modelview.back()),
                             c.vertices.empty() ? nullptr : c.vertices.front().position,
                             c.vertices.size(), sizeof(Vertex) / sizeof(float));
    }
    const GLenum mode = convertPrimitive(c.beginMode, c.vertices, c.converted, clipped);
    if (c.recording != 0) {
        if (c.converted.empty()) {
            return;
        }
        // Into GL ES buffers when the list ends, joined with the primitives next to it.
        ListCommand command;
        command.kind = ListCommand::Kind::Draw;
        command.mode = mode;
        command.vertices = c.converted;
        c.recorded.commands.push_back(std::move(command));
        return;
    }
    drawVertices(c, mode, c.converted.data(), static_cast<GLsizei>(c.converted.size()));
}

void emitVertex(Context& c, float x, float y, float z) {
    if (!c.inBegin) {
        return;  // GL ignores a vertex outside glBegin/glEnd
    }
    const Current& current = c.state.current;
    Vertex v;
    v.position[0] = x;
    v.position[1] = y;
    v.position[2] = z;
    v.position[3] = 1;
    std::memcpy(v.color, current.color, sizeof v.color);
    std::memcpy(v.normal, current.normal, sizeof v.normal);
    std::memcpy(v.texCoord, current.texCoord, sizeof v.texCoord);
    c.vertices.push_back(v);
}

void setColor(float r, float g, float b, float a) {
    Context& c = context();
    float* color = c.state.current.color;
    color[0] = r;
    color[1] = g;
    color[2] = b;
    color[3] = a;
    c.recordedCurrent |= kSetColor;
}

void setTexCoord(int unit, float s, float t) {
    Context& c = context();
    if (unit < 0 || unit >= kUnitCount) {
        c.fail(GL_INVALID_ENUM);
        return;
    }
    c.state.current.texCoord[unit][0] = s;
    c.state.current.texCoord[unit][1] = t;
    c.recordedCurrent |= kSetTexCoord << unit;
}

}  // namespace

void Begin(GLenum mode) {
    Context& c = context();
    if (c.inBegin) {
        c.fail(GL_INVALID_OPERATION);
        return;
    }
    c.inBegin = true;
    c.beginMode = mode;
    c.vertices.clear();
}

void End() {
    Context& c = context();
    if (!c.inBegin) {
        c.fail(GL_INVALID_OPERATION);
        return;
    }
    c.inBegin = false;
    finishPrimitive(c);
}

void Vertex3f(GLfloat x, GLfloat y, GLfloat z) {
    emitVertex(context(), x, y, z);
}

void Vertex3fv(const GLfloat* v) {
    emitVertex(context(), v[0], v[1], v[2]);
}

void Color3f(GLfloat r, GLfloat g, GLfloat b) {
    setColor(r, g, b, 1);
}

void Color4f(GLfloat r, GLfloat g, GLfloat b, GLfloat a) {
    setColor(r, g, b, a);
}

void Normal3fv(const GLfloat* n) {
    Context& c = context();
    std::memcpy(c.state.current.normal, n, sizeof c.state.current.normal);
    c.recordedCurrent |= kSetNormal;
}

void TexCoord2f(GLfloat s, GLfloat t) {
    setTexCoord(0, s, t);
}

void TexCoord2fv(const GLfloat* st) {
    setTexCoord(0, st[0], st[1]);
}

void MultiTexCoord2f(GLenum unit, GLfloat s, GLfloat t) {
    setTexCoord(static_cast<int>(unit) - GL_TEXTURE0, s, t);
}

void Rectf(GLfloat x1, GLfloat y1, GLfloat x2, GLfloat y2) {
    Begin(GL_POLYGON);
    Vertex3f(x1, y1, 0);
    Vertex3f(x2, y1, 0);
    Vertex3f(x2, y2, 0);
    Vertex3f(x1, y2, 0);
    End();
}

void EnableClientState(GLenum array) {
    if (array == GL_VERTEX_ARRAY) {
        context().client.vertices.enabled = true;
    } else {
        context().fail(GL_INVALID_ENUM);
    }
}

void VertexPointer(GLint size, GLenum type, GLsizei stride, const void* pointer) {
    Context& c = context();
    if (size < 2 || size > 4 || type != GL_FLOAT || stride < 0) {
        c.fail(size < 2 || size > 4 || stride < 0 ? GL_INVALID_VALUE : GL_INVALID_ENUM);
        return;
    }
    c.client.vertices.size = size;
    c.client.vertices.type = type;
    c.client.vertices.stride = stride;
    c.client.vertices.pointer = pointer;
}

void DrawArrays(GLenum mode, GLint first, GLsizei count) {
    Context& c = context();
    if (first < 0 || count < 0) {
        c.fail(GL_INVALID_VALUE);
        return;
    }
    if (!c.client.vertices.enabled || c.client.vertices.pointer == nullptr || count == 0) {
        return;
    }
    // Homogeneous positions (the shadow volumes reach infinity with w = 0), quads split.
    const int size = c.client.vertices.size;
    const GLsizei stride = c.client.vertices.stride != 0
                               ? c.client.vertices.stride
                               : size * static_cast<GLsizei>(sizeof(float));
    const auto* bytes = static_cast<const unsigned char*>(c.client.vertices.pointer);
    std::vector<float> points;
    auto point = [&](GLint i) {
        const auto* p = reinterpret_cast<const float*>(bytes + static_cast<size_t>(i) * stride);
        points.push_back(p[0]);
        points.push_back(p[1]);
        points.push_back(size > 2 ? p[2] : 0.0f);
        points.push_back(size > 3 ? p[3] : 1.0f);
    };
    for (GLint i = first; i < first + count; ++i) {
        point(i);
    }
    GLenum drawMode = mode;
    if (mode == GL_QUADS) {
        drawMode = GL_TRIANGLES;
        const int* split =
            quadSplit(anyOutside(Matrix::product(c.projection.back(), c.modelview.back()),
                                 points.data(), points.size() / 4, 4));
        std::vector<float> triangles;
        for (size_t q = 0; q + 16 <= points.size(); q += 16) {
            for (int k = 0; k < 6; ++k) {
                const float* p = &points[q + static_cast<size_t>(split[k]) * 4];
                triangles.insert(triangles.end(), p, p + 4);
            }
        }
        points.swap(triangles);
    }
    drawPositions(c, drawMode, points.data(), static_cast<GLsizei>(points.size() / 4));
}

void RasterPos3f(GLfloat x, GLfloat y, GLfloat z) {
    Context& c = context();
    Current& current = c.state.current;
    // Through the combined matrix column by column, as a vertex is placed.
    const Matrix mvp = Matrix::product(c.projection.back(), c.modelview.back());
    float clip[4];
    for (int i = 0; i < 4; ++i) {
        clip[i] = x * mvp.m[i] + y * mvp.m[4 + i] + z * mvp.m[8 + i] + mvp.m[12 + i];
    }
    // A position outside the view volume makes the raster position invalid: bitmaps skip.
    current.rasterValid = clip[3] != 0;
    for (int i = 0; i < 3 && current.rasterValid; ++i) {
        current.rasterValid = clip[i] >= -clip[3] && clip[i] <= clip[3];
    }
    if (!current.rasterValid) {
        return;
    }
    // The viewport transform as scale and offset, the way GL implementations apply it.
    const Box& v = c.state.viewport;
    const float inverseW = 1.0f / clip[3];
    const float halfWidth = v.width * 0.5f, halfHeight = v.height * 0.5f;
    current.rasterPosition[0] = clip[0] * inverseW * halfWidth + (v.x + halfWidth);
    current.rasterPosition[1] = clip[1] * inverseW * halfHeight + (v.y + halfHeight);
    current.rasterPosition[2] = clip[2] * inverseW * 0.5f + 0.5f;
    std::memcpy(current.rasterColor, current.color, sizeof current.rasterColor);
}

void Bitmap(GLsizei width, GLsizei height, GLfloat xOrigin, GLfloat yOrigin, GLfloat xMove,
            GLfloat yMove, const GLubyte* bits) {
    Context& c = context();
    if (width < 0 || height < 0) {
        c.fail(GL_INVALID_VALUE);
        return;
    }
    ListCommand command;
    command.kind = ListCommand::Kind::Bitmap;
    const float bitmap[6] = {
        static_cast<float>(width), static_cast<float>(height), xOrigin, yOrigin, xMove, yMove};
    std::memcpy(command.bitmap, bitmap, sizeof bitmap);
    command.bitmapTexture =
        makeBitmapTexture(c, width, height, bits, c.client.pixels.unpackAlignment);
    if (c.recording != 0) {
        c.recorded.commands.push_back(command);
        return;
    }
    drawBitmap(c, command.bitmapTexture, command.bitmap);
    flush(c);
    glDeleteTextures(1, &command.bitmapTexture);
    // GL ES binds 0 where a deleted texture was bound.
    for (GLuint& object : c.es.textures) {
        if (object == command.bitmapTexture) {
            object = 0;
        }
    }
}

}  // namespace render::gles
