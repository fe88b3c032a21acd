// Switches, per-fragment state, clears, queries, the attribute stacks and reading pixels.
#include <algorithm>
#include <cstring>
#include <string>
#include <utility>

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
    const std::pair<GLenum, bool*> switches[] = {{GL_LIGHTING, &e.lighting},
                                                 {GL_TEXTURE_2D, &e.texture2D[unit]},
                                                 {GL_TEXTURE_GEN_S, &e.generateS[unit]},
                                                 {GL_TEXTURE_GEN_T, &e.generateT[unit]},
                                                 {GL_BLEND, &e.blend},
                                                 {GL_DEPTH_TEST, &e.depthTest},
                                                 {GL_CULL_FACE, &e.cullFace},
                                                 {GL_STENCIL_TEST, &e.stencilTest},
                                                 {GL_SCISSOR_TEST, &e.scissorTest},
                                                 {GL_NORMALIZE, &e.normalize}};
    for (const auto& [name, flag] : switches) {
        if (name == cap) {
            return flag;
        }
    }
    return nullptr;
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
    const int rowPixels = c.client.pixels.packRowLength > 0 ? c.client.pixels.packRowLength : width;
    const int alignment = c.client.pixels.packAlignment;
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

// The server's and the client's attribute stacks alike: a push past the depth or a pop of
// an empty stack is refused; a pop gives back the parts of the state its push's mask named.
template <typename Saved, typename State>
void pushAttributes(std::vector<Saved> Context::*stack, State Context::*state, GLbitfield mask) {
    Context& c = context();
    if ((c.*stack).size() >= kMaxAttributeDepth) {
        c.fail(GL_STACK_OVERFLOW);
        return;
    }
    (c.*stack).push_back({mask, c.*state});
}

template <typename Saved, typename State>
void popAttributes(std::vector<Saved> Context::*stack, State Context::*state,
                   void (*restore)(State&, const State&, GLbitfield)) {
    Context& c = context();
    if ((c.*stack).empty()) {
        c.fail(GL_STACK_UNDERFLOW);
        return;
    }
    const Saved saved = std::move((c.*stack).back());
    (c.*stack).pop_back();
    restore(c.*state, saved.state, saved.mask);
}

void restoreServer(ServerState& s, const ServerState& from, GLbitfield mask) {
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
}

void restoreClient(ClientState& s, const ClientState& from, GLbitfield mask) {
    if (mask & GL_CLIENT_VERTEX_ARRAY_BIT) {
        s.vertices = from.vertices;
    }
    if (mask & GL_CLIENT_PIXEL_STORE_BIT) {
        s.pixels = from.pixels;
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
    c.setBox(c.state.scissor, x, y, width, height);
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
    closeBatch(c);
    // The rest of the fixed state is left for the next draw to send if it needs it.
    applyClearState(c, c.state);
    const float* color = c.state.color.clearColor;
    EsState& es = c.es;
    if (!es.clearColorKnown || !std::equal(color, color + 4, es.clearColor)) {
        c.commands.clearColor(color);
        std::copy(color, color + 4, es.clearColor);
        es.clearColorKnown = true;
    }
    c.commands.clear(mask);
}

void Hint(GLenum, GLenum) {}

void Finish() {
    flush(context());
    glFinish();
}

void Flush() {
    flush(context());
    glFlush();
}

GLenum GetError() {
    Context& c = context();
    const GLenum own = c.error;
    c.error = GL_NO_ERROR;
    return own != GL_NO_ERROR ? own : glGetError();
}

const GLubyte* GetString(GLenum name) {
    Context& c = context();
    switch (name) {
        case GL_VERSION:
            if (c.versionString.empty()) {
                c.versionString = std::string("1.3 tarvel GL layer on ") +
                                  reinterpret_cast<const char*>(glGetString(GL_VERSION));
            }
            return reinterpret_cast<const GLubyte*>(c.versionString.c_str());
        case GL_RENDERER:
            if (c.rendererString.empty()) {
                c.rendererString =
                    std::string(reinterpret_cast<const char*>(glGetString(GL_RENDERER))) +
                    " (tarvel GL layer)";
            }
            return reinterpret_cast<const GLubyte*>(c.rendererString.c_str());
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
            // GL ES's own answer, once it holds everything.
            flush(c);
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
            *values = c.client.pixels.unpackAlignment;
            return;
        case GL_PACK_ALIGNMENT:
            *values = c.client.pixels.packAlignment;
            return;
        case GL_PACK_ROW_LENGTH:
            *values = c.client.pixels.packRowLength;
            return;
        default:
            flush(c);
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
            (name == GL_PACK_ALIGNMENT ? c.client.pixels.packAlignment
                                       : c.client.pixels.unpackAlignment) = value;
            return;
        case GL_PACK_ROW_LENGTH:
            if (value < 0) {
                c.fail(GL_INVALID_VALUE);
                return;
            }
            c.client.pixels.packRowLength = value;
            return;
        default:
            c.fail(GL_INVALID_ENUM);
            return;
    }
}

void PushAttrib(GLbitfield mask) {
    pushAttributes(&Context::attributeStack, &Context::state, mask);
}

void PushClientAttrib(GLbitfield mask) {
    pushAttributes(&Context::clientAttributeStack, &Context::client, mask);
}

void PopAttrib() {
    popAttributes(&Context::attributeStack, &Context::state, restoreServer);
}

void PopClientAttrib() {
    popAttributes(&Context::clientAttributeStack, &Context::client, restoreClient);
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
    flush(c);
    std::vector<GLubyte> rgba(static_cast<size_t>(width) * height * 4);
    c.bindPictureForReading();
    glReadPixels(x, y, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    packPixels(c, rgba, width, height, format, static_cast<GLubyte*>(pixels));
}

}  // namespace render::gles
