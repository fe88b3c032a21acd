#include "render/gles/context.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <memory>
#include <string>

namespace render::gles {

namespace {

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

    glGenVertexArrays(1, &c.positionArray);
    glGenBuffers(1, &c.positionBuffer);
    glBindVertexArray(c.positionArray);
    glBindBuffer(GL_ARRAY_BUFFER, c.positionBuffer);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 4, GL_FLOAT, GL_FALSE, 0, nullptr);

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

struct Mark {
    ServerState state;
    ClientState client;
    Matrix modelview, projection;
    std::array<Matrix, kUnitCount> texture;
    size_t depths[4];
};

std::vector<Mark> marks;

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
    marks.push_back(markOf(context()));
}

std::string stateChangedSinceMark() {
    if (marks.empty()) {
        return "";
    }
    const Mark before = marks.back();
    marks.pop_back();
    const Mark now = markOf(context());
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

namespace {

void setEnabled(GLenum cap, bool on) {
    if (on) {
        glEnable(cap);
    } else {
        glDisable(cap);
    }
}

}  // namespace

void applyFixedState(Context& c) {
    const ServerState& s = c.state;
    auto& a = c.applied;
    const bool all = !a.valid;
    if (all || a.enables.blend != s.enables.blend) {
        setEnabled(GL_BLEND, s.enables.blend);
    }
    if (all || a.enables.depthTest != s.enables.depthTest) {
        setEnabled(GL_DEPTH_TEST, s.enables.depthTest);
    }
    if (all || a.enables.cullFace != s.enables.cullFace) {
        setEnabled(GL_CULL_FACE, s.enables.cullFace);
    }
    if (all || a.enables.stencilTest != s.enables.stencilTest) {
        setEnabled(GL_STENCIL_TEST, s.enables.stencilTest);
    }
    if (all || a.enables.scissorTest != s.enables.scissorTest) {
        setEnabled(GL_SCISSOR_TEST, s.enables.scissorTest);
    }
    a.enables = s.enables;
    if (all || a.color.blendSource != s.color.blendSource ||
        a.color.blendDestination != s.color.blendDestination) {
        glBlendFunc(s.color.blendSource, s.color.blendDestination);
    }
    const bool* mask = s.color.colorMask;
    if (all || std::memcmp(a.color.colorMask, mask, sizeof a.color.colorMask) != 0) {
        glColorMask(mask[0], mask[1], mask[2], mask[3]);
    }
    const float* clear = s.color.clearColor;
    if (all || std::memcmp(a.color.clearColor, clear, sizeof a.color.clearColor) != 0) {
        glClearColor(clear[0], clear[1], clear[2], clear[3]);
    }
    a.color = s.color;
    if (all || a.depth.func != s.depth.func) {
        glDepthFunc(s.depth.func);
    }
    if (all || a.depth.mask != s.depth.mask) {
        glDepthMask(s.depth.mask ? GL_TRUE : GL_FALSE);
    }
    a.depth = s.depth;
    const Stencil& st = s.stencil;
    if (all || a.stencil.func != st.func || a.stencil.ref != st.ref || a.stencil.mask != st.mask) {
        glStencilFunc(st.func, st.ref, st.mask);
    }
    if (all || a.stencil.fail != st.fail || a.stencil.depthFail != st.depthFail ||
        a.stencil.pass != st.pass) {
        glStencilOp(st.fail, st.depthFail, st.pass);
    }
    a.stencil = st;
    if (all || a.cullFace != s.cullFace) {
        glCullFace(s.cullFace);
        a.cullFace = s.cullFace;
    }
    if (all || !(a.scissor == s.scissor)) {
        glScissor(s.scissor.x, s.scissor.y, s.scissor.width, s.scissor.height);
        a.scissor = s.scissor;
    }
    if (all || !(a.viewport == s.viewport)) {
        glViewport(s.viewport.x, s.viewport.y, s.viewport.width, s.viewport.height);
        a.viewport = s.viewport;
    }
    a.valid = true;
}

}  // namespace render::gles
