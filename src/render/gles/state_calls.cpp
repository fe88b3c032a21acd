// Switches, per-fragment state, clears, queries, the attribute stacks and reading pixels.
#include <algorithm>
#include <cstring>
#include <string>

#include "render/gles/context.h"
#include "render/gles/entry_points.h"

namespace render::gles {

namespace {

// GL's depth for both attribute stacks.
constexpr size_t kMaxAttributeDepth = 16;

// The switch a capability names, or null for one the layer does not know.
bool* capability(Context& c, GLenum cap) {
    Enables& e = c.state.enables;
    const int unit = c.state.texturing.active;
    if (cap >= GL_LIGHT0 && cap < GL_LIGHT0 + kLightCount) {
        return &e.lights[cap - GL_LIGHT0];
    }
    switch (cap) {
        case GL_LIGHTING:
            return &e.lighting;
        case GL_TEXTURE_2D:
            return &e.texture2D[unit];
        case GL_TEXTURE_GEN_S:
            return &e.generateS[unit];
        case GL_TEXTURE_GEN_T:
            return &e.generateT[unit];
        case GL_BLEND:
            return &e.blend;
        case GL_DEPTH_TEST:
            return &e.depthTest;
        case GL_CULL_FACE:
            return &e.cullFace;
        case GL_STENCIL_TEST:
            return &e.stencilTest;
        case GL_SCISSOR_TEST:
            return &e.scissorTest;
        case GL_NORMALIZE:
            return &e.normalize;
        default:
            return nullptr;
    }
}

void setCapability(GLenum cap, bool on) {
    Context& c = context();
    bool* flag = capability(c, cap);
    if (flag == nullptr) {
        c.fail(GL_INVALID_ENUM);
        return;
    }
    *flag = on;
}

void copyMatrix(const Matrix& m, GLfloat* out) {
    std::memcpy(out, m.m, sizeof m.m);
}

// The enables a group saves beside its own state.
void restoreEnables(Enables& to, const Enables& from, GLbitfield mask) {
    if (mask & GL_ENABLE_BIT) {
        to = from;
        return;
    }
    if (mask & GL_LIGHTING_BIT) {
        to.lighting = from.lighting;
        to.lights = from.lights;
    }
    if (mask & GL_TEXTURE_BIT) {
        to.texture2D = from.texture2D;
        to.generateS = from.generateS;
        to.generateT = from.generateT;
    }
    if (mask & GL_COLOR_BUFFER_BIT) {
        to.blend = from.blend;
    }
    if (mask & GL_DEPTH_BUFFER_BIT) {
        to.depthTest = from.depthTest;
    }
    if (mask & GL_STENCIL_BUFFER_BIT) {
        to.stencilTest = from.stencilTest;
    }
    if (mask & GL_POLYGON_BIT) {
        to.cullFace = from.cullFace;
    }
    if (mask & GL_SCISSOR_BIT) {
        to.scissorTest = from.scissorTest;
    }
    if (mask & GL_TRANSFORM_BIT) {
        to.normalize = from.normalize;
    }
}

// Pixels as GL ES reads them (RGBA, rows of width × 4 bytes) into the caller's layout.
void packPixels(const Context& c, const std::vector<GLubyte>& rgba, GLsizei width, GLsizei height,
                GLenum format, GLubyte* out) {
    const int channels = format == GL_RGB ? 3 : 4;
    const int rowPixels = c.client.packRowLength > 0 ? c.client.packRowLength : width;
    const int alignment = c.client.packAlignment;
    const size_t rowBytes =
        (static_cast<size_t>(rowPixels * channels) + alignment - 1) / alignment * alignment;
    for (int y = 0; y < height; ++y) {
        const GLubyte* from = rgba.data() + static_cast<size_t>(y) * width * 4;
        GLubyte* to = out + y * rowBytes;
        for (int x = 0; x < width; ++x, from += 4, to += channels) {
            if (format == GL_BGRA) {
                to[0] = from[2];
                to[1] = from[1];
                to[2] = from[0];
                to[3] = from[3];
            } else {
                std::memcpy(to, from, static_cast<size_t>(channels));
            }
        }
    }
}

}  // namespace

void Enable(GLenum cap) {
    setCapability(cap, true);
}

void Disable(GLenum cap) {
    setCapability(cap, false);
}

void BlendFunc(GLenum source, GLenum destination) {
    Context& c = context();
    c.state.color.blendSource = source;
    c.state.color.blendDestination = destination;
}

void DepthFunc(GLenum func) {
    context().state.depth.func = func;
}

void DepthMask(GLboolean on) {
    context().state.depth.mask = on != GL_FALSE;
}

void ColorMask(GLboolean r, GLboolean g, GLboolean b, GLboolean a) {
    bool* mask = context().state.color.colorMask;
    mask[0] = r != GL_FALSE;
    mask[1] = g != GL_FALSE;
    mask[2] = b != GL_FALSE;
    mask[3] = a != GL_FALSE;
}

void CullFace(GLenum face) {
    context().state.cullFace = face;
}

void StencilFunc(GLenum func, GLint ref, GLuint mask) {
    Stencil& s = context().state.stencil;
    s.func = func;
    s.ref = ref;
    s.mask = mask;
}

void StencilOp(GLenum fail, GLenum depthFail, GLenum pass) {
    Stencil& s = context().state.stencil;
    s.fail = fail;
    s.depthFail = depthFail;
    s.pass = pass;
}

void Scissor(GLint x, GLint y, GLsizei width, GLsizei height) {
    Context& c = context();
    if (width < 0 || height < 0) {
        c.fail(GL_INVALID_VALUE);
        return;
    }
    c.state.scissor = {x, y, width, height};
}

void ClearColor(GLfloat r, GLfloat g, GLfloat b, GLfloat a) {
    float* color = context().state.color.clearColor;
    color[0] = std::clamp(r, 0.0f, 1.0f);
    color[1] = std::clamp(g, 0.0f, 1.0f);
    color[2] = std::clamp(b, 0.0f, 1.0f);
    color[3] = std::clamp(a, 0.0f, 1.0f);
}

void Clear(GLbitfield mask) {
    Context& c = context();
    applyFixedState(c);
    glClear(mask);
}

void Hint(GLenum, GLenum) {}

void Finish() {
    glFinish();
}

void Flush() {
    glFlush();
}

GLenum GetError() {
    Context& c = context();
    const GLenum own = c.error;
    c.error = GL_NO_ERROR;
    return own != GL_NO_ERROR ? own : glGetError();
}

const GLubyte* GetString(GLenum name) {
    static std::string version, renderer;
    switch (name) {
        case GL_VERSION:
            version = std::string("1.3 tarvel GL layer on ") +
                      reinterpret_cast<const char*>(glGetString(GL_VERSION));
            return reinterpret_cast<const GLubyte*>(version.c_str());
        case GL_RENDERER:
            renderer = std::string(reinterpret_cast<const char*>(glGetString(GL_RENDERER))) +
                       " (tarvel GL layer)";
            return reinterpret_cast<const GLubyte*>(renderer.c_str());
        case GL_EXTENSIONS:
            return reinterpret_cast<const GLubyte*>(
                "GL_ARB_multitexture GL_ARB_texture_env_add GL_ARB_texture_env_combine "
                "GL_EXT_texture_env_add GL_EXT_texture_env_combine");
        default:
            return glGetString(name);
    }
}

void GetFloatv(GLenum name, GLfloat* values) {
    Context& c = context();
    switch (name) {
        case GL_MODELVIEW_MATRIX:
            copyMatrix(c.modelview.back(), values);
            return;
        case GL_PROJECTION_MATRIX:
            copyMatrix(c.projection.back(), values);
            return;
        case GL_TEXTURE_MATRIX:
            copyMatrix(c.textureMatrix[c.state.texturing.active].back(), values);
            return;
        case GL_CURRENT_COLOR:
            std::memcpy(values, c.state.current.color, sizeof c.state.current.color);
            return;
        case GL_COLOR_CLEAR_VALUE:
            std::memcpy(values, c.state.color.clearColor, sizeof c.state.color.clearColor);
            return;
        default:
            glGetFloatv(name, values);
            return;
    }
}

void GetIntegerv(GLenum name, GLint* values) {
    Context& c = context();
    const ServerState& s = c.state;
    auto box = [values](const Box& b) {
        values[0] = b.x;
        values[1] = b.y;
        values[2] = b.width;
        values[3] = b.height;
    };
    switch (name) {
        case GL_VIEWPORT:
            box(s.viewport);
            return;
        case GL_SCISSOR_BOX:
            box(s.scissor);
            return;
        case GL_TEXTURE_BINDING_2D:
            *values = static_cast<GLint>(s.texturing.units[s.texturing.active].bound);
            return;
        case GL_ACTIVE_TEXTURE:
            *values = GL_TEXTURE0 + s.texturing.active;
            return;
        case GL_MATRIX_MODE:
            *values = static_cast<GLint>(s.matrixMode);
            return;
        case GL_MODELVIEW_STACK_DEPTH:
            *values = static_cast<GLint>(c.modelview.size());
            return;
        case GL_PROJECTION_STACK_DEPTH:
            *values = static_cast<GLint>(c.projection.size());
            return;
        case GL_ATTRIB_STACK_DEPTH:
            *values = static_cast<GLint>(c.attributeStack.size());
            return;
        case GL_CLIENT_ATTRIB_STACK_DEPTH:
            *values = static_cast<GLint>(c.clientAttributeStack.size());
            return;
        case GL_BLEND_SRC:
            *values = static_cast<GLint>(s.color.blendSource);
            return;
        case GL_BLEND_DST:
            *values = static_cast<GLint>(s.color.blendDestination);
            return;
        case GL_DEPTH_FUNC:
            *values = static_cast<GLint>(s.depth.func);
            return;
        case GL_CULL_FACE_MODE:
            *values = static_cast<GLint>(s.cullFace);
            return;
        case GL_UNPACK_ALIGNMENT:
            *values = c.client.unpackAlignment;
            return;
        case GL_PACK_ALIGNMENT:
            *values = c.client.packAlignment;
            return;
        case GL_PACK_ROW_LENGTH:
            *values = c.client.packRowLength;
            return;
        default:
            glGetIntegerv(name, values);
            return;
    }
}

void PixelStorei(GLenum name, GLint value) {
    Context& c = context();
    const bool alignment = value == 1 || value == 2 || value == 4 || value == 8;
    switch (name) {
        case GL_PACK_ALIGNMENT:
        case GL_UNPACK_ALIGNMENT:
            if (!alignment) {
                c.fail(GL_INVALID_VALUE);
                return;
            }
            (name == GL_PACK_ALIGNMENT ? c.client.packAlignment : c.client.unpackAlignment) = value;
            return;
        case GL_PACK_ROW_LENGTH:
            if (value < 0) {
                c.fail(GL_INVALID_VALUE);
                return;
            }
            c.client.packRowLength = value;
            return;
        default:
            c.fail(GL_INVALID_ENUM);
            return;
    }
}

void PushAttrib(GLbitfield mask) {
    Context& c = context();
    if (c.attributeStack.size() >= kMaxAttributeDepth) {
        c.fail(GL_STACK_OVERFLOW);
        return;
    }
    c.attributeStack.push_back({mask, c.state});
}

void PopAttrib() {
    Context& c = context();
    if (c.attributeStack.empty()) {
        c.fail(GL_STACK_UNDERFLOW);
        return;
    }
    const SavedAttributes saved = std::move(c.attributeStack.back());
    c.attributeStack.pop_back();
    const GLbitfield mask = saved.mask;
    ServerState& s = c.state;
    const ServerState& from = saved.state;
    restoreEnables(s.enables, from.enables, mask);
    if (mask & GL_CURRENT_BIT) {
        s.current = from.current;
    }
    if (mask & GL_LIGHTING_BIT) {
        s.lighting = from.lighting;
    }
    if (mask & GL_TEXTURE_BIT) {
        s.texturing = from.texturing;
    }
    if (mask & GL_COLOR_BUFFER_BIT) {
        s.color = from.color;
    }
    if (mask & GL_DEPTH_BUFFER_BIT) {
        s.depth = from.depth;
    }
    if (mask & GL_STENCIL_BUFFER_BIT) {
        s.stencil = from.stencil;
    }
    if (mask & GL_POLYGON_BIT) {
        s.cullFace = from.cullFace;
    }
    if (mask & GL_SCISSOR_BIT) {
        s.scissor = from.scissor;
    }
    if (mask & GL_VIEWPORT_BIT) {
        s.viewport = from.viewport;
    }
    if (mask & GL_TRANSFORM_BIT) {
        s.matrixMode = from.matrixMode;
    }
    if (mask & GL_PIXEL_MODE_BIT) {
        s.readBuffer = from.readBuffer;
    }
    ++c.lightingStamp;
    ++c.texturingStamp;
}

void PushClientAttrib(GLbitfield mask) {
    Context& c = context();
    if (c.clientAttributeStack.size() >= kMaxAttributeDepth) {
        c.fail(GL_STACK_OVERFLOW);
        return;
    }
    c.clientAttributeStack.push_back({mask, c.client});
}

void PopClientAttrib() {
    Context& c = context();
    if (c.clientAttributeStack.empty()) {
        c.fail(GL_STACK_UNDERFLOW);
        return;
    }
    const SavedClientAttributes saved = c.clientAttributeStack.back();
    c.clientAttributeStack.pop_back();
    if (saved.mask & GL_CLIENT_VERTEX_ARRAY_BIT) {
        c.client.vertexArray = saved.state.vertexArray;
        c.client.vertexSize = saved.state.vertexSize;
        c.client.vertexType = saved.state.vertexType;
        c.client.vertexStride = saved.state.vertexStride;
        c.client.vertexPointer = saved.state.vertexPointer;
    }
    if (saved.mask & GL_CLIENT_PIXEL_STORE_BIT) {
        c.client.packAlignment = saved.state.packAlignment;
        c.client.packRowLength = saved.state.packRowLength;
        c.client.unpackAlignment = saved.state.unpackAlignment;
    }
}

void ReadBuffer(GLenum buffer) {
    Context& c = context();
    if (buffer != GL_BACK && buffer != GL_FRONT) {
        c.fail(GL_INVALID_ENUM);
        return;
    }
    c.state.readBuffer = buffer;
}

void ReadPixels(GLint x, GLint y, GLsizei width, GLsizei height, GLenum format, GLenum type,
                void* pixels) {
    Context& c = context();
    if (width < 0 || height < 0) {
        c.fail(GL_INVALID_VALUE);
        return;
    }
    if ((format != GL_RGB && format != GL_RGBA && format != GL_BGRA) || type != GL_UNSIGNED_BYTE) {
        c.fail(GL_INVALID_ENUM);
        return;
    }
    if (width == 0 || height == 0 || pixels == nullptr) {
        return;
    }
    std::vector<GLubyte> rgba(static_cast<size_t>(width) * height * 4);
    c.bindPictureForReading();
    glReadPixels(x, y, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    packPixels(c, rgba, width, height, format, static_cast<GLubyte*>(pixels));
}

}  // namespace render::gles
