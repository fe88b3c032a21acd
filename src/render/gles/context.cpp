#include "render/gles/context.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <memory>
#include <string>

namespace render::gles {

namespace {

// GL's model: the entry points name no context, so the one they act on is the current one,
// as in every GL implementation. Made anew for each GL ES context the layer is attached to.
std::unique_ptr<Context> current = std::make_unique<Context>();

const char* const kBitmapVertex =
    "#version 300 es\n"
    "precision highp float;\n"
    "layout(location = 0) in vec2 aCorner;\n"
    "uniform vec4 uRectangle;\n"
    "uniform float uDepth;\n"
    "out vec2 vTexCoord;\n"
    "void main() {\n"
    "    gl_Position = vec4(mix(uRectangle.xy, uRectangle.zw, aCorner), uDepth, 1.0);\n"
    "    vTexCoord = aCorner;\n"
    "}\n";

// A bitmap writes the raster colour where its bit is set and leaves the rest alone.
const char* const kBitmapFragment =
    "#version 300 es\n"
    "precision highp float;\n"
    "uniform sampler2D uBits;\n"
    "uniform vec4 uColor;\n"
    "in vec2 vTexCoord;\n"
    "out vec4 fragColor;\n"
    "void main() {\n"
    "    if (texture(uBits, vTexCoord).r < 0.5) discard;\n"
    "    fragColor = uColor;\n"
    "}\n";

}  // namespace

void setUpVertexLayout() {
    const GLsizei stride = sizeof(Vertex);
    auto attribute = [&](GLuint location, GLint size, size_t offset) {
        glEnableVertexAttribArray(location);
        glVertexAttribPointer(location, size, GL_FLOAT, GL_FALSE, stride,
                              reinterpret_cast<void*>(offset));
    };
    attribute(kPositionAttribute, 4, offsetof(Vertex, position));
    attribute(kColorAttribute, 4, offsetof(Vertex, color));
    attribute(kNormalAttribute, 3, offsetof(Vertex, normal));
    for (int u = 0; u < kUnitCount; ++u) {
        attribute(kTexCoordAttribute + u, 2, offsetof(Vertex, texCoord) + u * 2 * sizeof(float));
    }
}

Context& context() {
    return *current;
}

void attachToCurrentContext() {
    // The objects of an earlier context went with it.
    current = std::make_unique<Context>();
    Context& c = *current;
    glGenVertexArrays(1, &c.streamArray);
    glGenBuffers(1, &c.streamBuffer);
    glBindVertexArray(c.streamArray);
    glBindBuffer(GL_ARRAY_BUFFER, c.streamBuffer);
    setUpVertexLayout();

    const float corners[] = {0, 0, 1, 0, 0, 1, 1, 1};
    glGenVertexArrays(1, &c.bitmapArray);
    glGenBuffers(1, &c.bitmapBuffer);
    glBindVertexArray(c.bitmapArray);
    glBindBuffer(GL_ARRAY_BUFFER, c.bitmapBuffer);
    glBufferData(GL_ARRAY_BUFFER, sizeof corners, corners, GL_STATIC_DRAW);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, 0, nullptr);
    glBindVertexArray(0);

    c.bitmapProgram = compileProgram(kBitmapVertex, kBitmapFragment);
    if (c.bitmapProgram != 0) {
        c.bitmapRectangle = glGetUniformLocation(c.bitmapProgram, "uRectangle");
        c.bitmapColor = glGetUniformLocation(c.bitmapProgram, "uColor");
        c.bitmapDepth = glGetUniformLocation(c.bitmapProgram, "uDepth");
        glUseProgram(c.bitmapProgram);
        glUniform1i(glGetUniformLocation(c.bitmapProgram, "uBits"), 0);
    }
    glGenFramebuffers(1, &c.readFramebuffer);

    // GL 1.x's initial viewport and scissor box: the whole window.
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    c.state.viewport = {viewport[0], viewport[1], viewport[2], viewport[3]};
    c.state.scissor = c.state.viewport;
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
}

namespace {

Mark markOf(const Context& c) {
    Mark mark{c.state, c.client, c.modelview.back(), c.projection.back(), {}, {}};
    for (int u = 0; u < kUnitCount; ++u) {
        mark.texture[u] = c.textureMatrix[u].back();
    }
    mark.depths[0] = c.modelview.size();
    mark.depths[1] = c.projection.size();
    mark.depths[2] = c.attributeStack.size();
    mark.depths[3] = c.clientAttributeStack.size();
    return mark;
}

}  // namespace

void markState() {
    Context& c = context();
    c.marks.push_back(markOf(c));
}

std::string stateChangedSinceMark() {
    Context& c = context();
    if (c.marks.empty()) {
        return "";
    }
    const Mark before = c.marks.back();
    c.marks.pop_back();
    const Mark now = markOf(c);
    const ServerState& a = before.state;
    const ServerState& b = now.state;
    std::string changed;
    auto note = [&changed](bool same, const char* name) {
        if (!same) {
            changed += changed.empty() ? name : std::string(", ") + name;
        }
    };
    const auto same = [](const auto& x, const auto& y) {
        return std::memcmp(&x, &y, sizeof x) == 0;
    };
    note(same(a.current.color, b.current.color), "current colour");
    note(same(a.current.normal, b.current.normal) && same(a.current.texCoord, b.current.texCoord),
         "current normal or texture coordinates");
    note(a.enables == b.enables, "enables");
    note(a.lighting == b.lighting, "lights or material");
    note(a.texturing == b.texturing, "texture units");
    note(a.color == b.color, "blending, clear colour or colour mask");
    note(a.depth == b.depth && a.stencil == b.stencil, "depth or stencil");
    note(a.cullFace == b.cullFace, "culled face");
    note(a.scissor == b.scissor && a.viewport == b.viewport, "scissor box or viewport");
    note(a.matrixMode == b.matrixMode, "matrix mode");
    note(before.modelview == now.modelview, "model-view matrix");
    note(before.projection == now.projection, "projection matrix");
    note(before.texture == now.texture, "texture matrix");
    note(std::equal(before.depths, before.depths + 4, now.depths), "stack depth");
    note(before.client == now.client, "client state");
    return changed;
}

void playHeldBack() {
    if (current) {
        flush(*current);
    }
}

void setPictureFramebuffer(GLuint framebuffer) {
    context().pictureFramebuffer = framebuffer;
}

void Context::bindPictureForReading() const {
    // A double-buffered surface reads from its back buffer.
    glBindFramebuffer(GL_READ_FRAMEBUFFER, pictureFramebuffer);
    glReadBuffer(pictureFramebuffer == 0 ? GL_BACK : GL_COLOR_ATTACHMENT0);
}

void Context::fail(GLenum code) {
    if (error == GL_NO_ERROR) {
        error = code;
    }
}

void Context::setBox(Box& box, GLint x, GLint y, GLsizei width, GLsizei height) {
    if (width < 0 || height < 0) {
        fail(GL_INVALID_VALUE);
        return;
    }
    box = {x, y, width, height};
}

bool Texture::complete() const {
    if (width <= 0 || height <= 0) {
        return false;
    }
    return minFilter == GL_NEAREST || minFilter == GL_LINEAR;
}

Texture* Context::boundTexture(int unit) {
    const GLuint name = state.texturing.units[unit].bound;
    auto found = textures.find(name);
    return found == textures.end() ? nullptr : &found->second;
}

std::vector<Matrix>& Context::currentStack() {
    switch (state.matrixMode) {
        case GL_PROJECTION:
            return projection;
        case GL_TEXTURE:
            return textureMatrix[state.texturing.active];
        default:
            return modelview;
    }
}

Matrix& Context::currentMatrix() {
    return currentStack().back();
}

FixedState fixedStateOf(const ServerState& s) {
    FixedState f;
    f.blend = s.enables.blend;
    f.depthTest = s.enables.depthTest;
    f.cullFace = s.enables.cullFace;
    f.stencilTest = s.enables.stencilTest;
    f.scissorTest = s.enables.scissorTest;
    std::copy(s.color.colorMask, s.color.colorMask + 4, f.colorMask);
    f.viewport = s.viewport;
    // What a switch that is off makes irrelevant stays out: a draw with depth testing off,
    // for one, neither tests nor writes depth, whatever the function and the mask.
    if (f.blend) {
        f.blendSource = s.color.blendSource;
        f.blendDestination = s.color.blendDestination;
    }
    if (f.depthTest) {
        f.depthFunc = s.depth.func;
        f.depthMask = s.depth.mask;
    }
    if (f.stencilTest) {
        f.stencil = s.stencil;
    }
    if (f.cullFace) {
        f.culledFace = s.cullFace;
    }
    if (f.scissorTest) {
        f.scissor = s.scissor;
    }
    return f;
}

namespace {

// The parts of the fixed state GL ES is known to hold.
enum KnownState : unsigned {
    kKnownEnables = 1,
    kKnownBlendFunc = 2,
    kKnownColorMask = 4,
    kKnownDepthFunc = 8,
    kKnownDepthMask = 16,
    kKnownStencilFunc = 32,
    kKnownStencilOp = 64,
    kKnownCullFace = 128,
    kKnownScissor = 256,
    kKnownViewport = 512
};

// Whether a part must be sent: not known, or known to differ.
bool stale(const EsState& es, unsigned part, bool differs) {
    return (es.fixedKnown & part) == 0 || differs;
}

void sendColorMask(Context& c, const bool mask[4]) {
    EsState& es = c.es;
    if (stale(es, kKnownColorMask, !std::equal(mask, mask + 4, es.fixed.colorMask))) {
        c.commands.colorMask(mask);
        std::copy(mask, mask + 4, es.fixed.colorMask);
        es.fixedKnown |= kKnownColorMask;
    }
}

void sendDepthMask(Context& c, bool mask) {
    EsState& es = c.es;
    if (stale(es, kKnownDepthMask, es.fixed.depthMask != mask)) {
        c.commands.depthMask(mask);
        es.fixed.depthMask = mask;
        es.fixedKnown |= kKnownDepthMask;
    }
}

void sendScissor(Context& c, bool on, const Box& box) {
    EsState& es = c.es;
    FixedState& a = es.fixed;
    if (stale(es, kKnownEnables, a.scissorTest != on)) {
        c.commands.enable(GL_SCISSOR_TEST, on);
        a.scissorTest = on;
    }
    if (on && stale(es, kKnownScissor, !(a.scissor == box))) {
        c.commands.scissor(box.x, box.y, box.width, box.height);
        a.scissor = box;
        es.fixedKnown |= kKnownScissor;
    }
}

}  // namespace

void applyFixedState(Context& c, const FixedState& f) {
    EsState& es = c.es;
    FixedState& a = es.fixed;
    EsCommands& commands = c.commands;
    const auto enable = [&](GLenum cap, bool& held, bool wanted) {
        if (stale(es, kKnownEnables, held != wanted)) {
            commands.enable(cap, wanted);
            held = wanted;
        }
    };
    enable(GL_BLEND, a.blend, f.blend);
    enable(GL_DEPTH_TEST, a.depthTest, f.depthTest);
    enable(GL_CULL_FACE, a.cullFace, f.cullFace);
    enable(GL_STENCIL_TEST, a.stencilTest, f.stencilTest);
    sendScissor(c, f.scissorTest, f.scissor);
    es.fixedKnown |= kKnownEnables;
    if (f.blend &&
        stale(es, kKnownBlendFunc,
              a.blendSource != f.blendSource || a.blendDestination != f.blendDestination)) {
        commands.blendFunc(f.blendSource, f.blendDestination);
        a.blendSource = f.blendSource;
        a.blendDestination = f.blendDestination;
        es.fixedKnown |= kKnownBlendFunc;
    }
    sendColorMask(c, f.colorMask);
    if (f.depthTest) {
        if (stale(es, kKnownDepthFunc, a.depthFunc != f.depthFunc)) {
            commands.depthFunc(f.depthFunc);
            a.depthFunc = f.depthFunc;
            es.fixedKnown |= kKnownDepthFunc;
        }
        sendDepthMask(c, f.depthMask);
    }
    if (f.stencilTest) {
        const Stencil& st = f.stencil;
        if (stale(es, kKnownStencilFunc,
                  a.stencil.func != st.func || a.stencil.ref != st.ref ||
                      a.stencil.mask != st.mask)) {
            commands.stencilFunc(st.func, st.ref, st.mask);
            es.fixedKnown |= kKnownStencilFunc;
        }
        if (stale(es, kKnownStencilOp,
                  a.stencil.fail != st.fail || a.stencil.depthFail != st.depthFail ||
                      a.stencil.pass != st.pass)) {
            commands.stencilOp(st.fail, st.depthFail, st.pass);
            es.fixedKnown |= kKnownStencilOp;
        }
        a.stencil = st;
    }
    if (f.cullFace && stale(es, kKnownCullFace, a.culledFace != f.culledFace)) {
        commands.cullFace(f.culledFace);
        a.culledFace = f.culledFace;
        es.fixedKnown |= kKnownCullFace;
    }
    if (stale(es, kKnownViewport, !(a.viewport == f.viewport))) {
        commands.viewport(f.viewport.x, f.viewport.y, f.viewport.width, f.viewport.height);
        a.viewport = f.viewport;
        es.fixedKnown |= kKnownViewport;
    }
}

void applyClearState(Context& c, const ServerState& s) {
    sendScissor(c, s.enables.scissorTest, s.scissor);
    sendColorMask(c, s.color.colorMask);
    sendDepthMask(c, s.depth.mask);
}

void useProgram(Context& c, GLuint program) {
    if (c.es.program != program) {
        c.commands.useProgram(program);
        c.es.program = program;
    }
}

void bindVertexArray(Context& c, GLuint array) {
    if (c.es.vertexArray != array) {
        c.commands.bindVertexArray(array);
        c.es.vertexArray = array;
    }
}

// Only between flushes (uploads and lists being compiled): nothing recorded draws from it.
void bindArrayBuffer(Context& c, GLuint buffer) {
    if (c.es.arrayBuffer != buffer) {
        glBindBuffer(GL_ARRAY_BUFFER, buffer);
        c.es.arrayBuffer = buffer;
    }
}

void bindTexture(Context& c, int unit, GLuint object) {
    EsState& es = c.es;
    if (es.textures[unit] == object) {
        return;
    }
    if (es.activeUnit != unit) {
        c.commands.activeTexture(GL_TEXTURE0 + unit);
        es.activeUnit = unit;
    }
    c.commands.bindTexture(object);
    es.textures[unit] = object;
}

void bindTextureToChange(Context& c, GLuint object) {
    bindTexture(c, c.es.activeUnit >= 0 ? c.es.activeUnit : 0, object);
}

}  // namespace render::gles
