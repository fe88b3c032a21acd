// Drawing with the current GL 1.x state: the program for the switches in use, its
// uniforms, the textures and the fixed state, each sent only when GL ES does not hold it
// yet, and the vertices of draws set up alike gathered into one draw.
#include <cmath>
#include <cstring>

#include "render/gles/context.h"

namespace render::gles {

namespace {

// Mesa splits a quad along its 0–2 diagonal, but along 1–3 in a draw that has a vertex
// outside the view volume (it is clipped then). Gouraud shading shows the diagonal.
constexpr int kUnclippedSplit[6] = {0, 1, 2, 0, 2, 3};
constexpr int kClippedSplit[6] = {0, 1, 3, 1, 2, 3};

ProgramKey keyFor(Context& c) {
    ProgramKey key;
    const ServerState& s = c.state;
    if (s.enables.lighting) {
        key.lighting = 1;
        for (int i = 0; i < kLightCount; ++i) {
            if (s.enables.lights[i]) {
                key.lights[i] =
                    s.lighting.lights[i].position[3] != 0 ? kLightPositional : kLightDirectional;
            }
        }
    }
    for (int u = 0; u < kUnitCount; ++u) {
        const Texture* texture = c.boundTexture(u);
        if (!s.enables.texture2D[u] || texture == nullptr || !texture->complete()) {
            continue;
        }
        const Unit& unit = s.texturing.units[u];
        const TextureEnvironment& e = unit.environment;
        ProgramKey::UnitKey& k = key.units[u];
        k.enabled = 1;
        k.hasAlpha = texture->hasAlpha ? 1 : 0;
        auto generation = [](bool on, const Generation& g) -> uint32_t {
            if (!on) {
                return kGenerationOff;
            }
            return g.mode == GL_OBJECT_LINEAR ? kObjectLinear : kEyeLinear;
        };
        k.generateS = generation(s.enables.generateS[u], unit.s);
        k.generateT = generation(s.enables.generateT[u], unit.t);
        k.textureMatrix = c.textureMatrix[u].back().isIdentity() ? 0 : 1;
        k.mode = e.mode;
        if (e.mode == GL_COMBINE) {
            k.combineRgb = e.combineRgb;
            k.combineAlpha = e.combineAlpha;
            for (int i = 0; i < 3; ++i) {
                k.sourceRgb[i] = e.sourceRgb[i];
                k.sourceAlpha[i] = e.sourceAlpha[i];
                k.operandRgb[i] = e.operandRgb[i];
                k.operandAlpha[i] = e.operandAlpha[i];
            }
        }
    }
    return key;
}

void normalize3(const float in[3], float out[3]) {
    const float length = std::sqrt(in[0] * in[0] + in[1] * in[1] + in[2] * in[2]);
    const float scale = length > 0 ? 1.0f / length : 0.0f;
    for (int i = 0; i < 3; ++i) {
        out[i] = in[i] * scale;
    }
}

// A group of uniforms, sent only when it differs from what the program was sent last.
void sendGroup(Context& c, Program& p, int group, const float* values) {
    const GLint location = p.locations[group];
    if (location < 0) {
        return;
    }
    const size_t floats = static_cast<size_t>(p.vectors[group]) * 4;
    std::vector<float>& sent = p.sent[static_cast<size_t>(group)];
    if (sent.size() == floats && std::memcmp(sent.data(), values, floats * sizeof(float)) == 0) {
        return;
    }
    sent.assign(values, values + floats);
    c.commands.uniform4fv(location, p.vectors[group], values);
}

void sendTransform(Context& c, Program& p) {
    const Transform& t = c.transform.value;
    float values[44] = {};
    std::memcpy(values, Matrix::product(t.projection, t.modelview).m, 16 * sizeof(float));
    std::memcpy(values + 16, t.modelview.m, 16 * sizeof(float));
    if (p.vectors[kTransformGroup] > 8) {
        // The inverse transpose's rows are the inverse's columns.
        const Matrix inverse = t.modelview.inverse();
        for (int row = 0; row < 3; ++row) {
            std::memcpy(values + 32 + row * 4, inverse.m + row * 4, 3 * sizeof(float));
        }
    }
    sendGroup(c, p, kTransformGroup, values);
}

void sendLighting(Context& c, Program& p) {
    const Lighting& l = c.lighting.value;
    const Material& m = l.front;
    float values[4 * (2 + kLightVectors * kLightCount)] = {};
    for (int i = 0; i < 3; ++i) {
        values[i] = m.emission[i] + m.ambient[i] * l.modelAmbient[i];
    }
    values[3] = m.diffuse[3];
    values[4] = m.shininess;
    values[5] = m.diffuse[3];
    float* light = values + 8;
    for (int i = 0; i < kLightCount; ++i) {
        if (!c.state.enables.lights[i]) {
            continue;
        }
        const Light& from = l.lights[i];
        if (from.position[3] != 0) {
            // A positional light is the point its homogeneous position names.
            const float w = from.position[3];
            for (int k = 0; k < 3; ++k) {
                light[k] = from.position[k] / w;
            }
            light[3] = 1;
        } else {
            // A directional light: its direction and half vector for a viewer at infinity.
            normalize3(from.position, light);
            const float sum[3] = {light[0], light[1], light[2] + 1.0f};
            normalize3(sum, light + 4);
        }
        for (int k = 0; k < 3; ++k) {
            light[8 + k] = from.ambient[k] * m.ambient[k];
            light[12 + k] = from.diffuse[k] * m.diffuse[k];
            light[16 + k] = from.specular[k] * m.specular[k];
            light[20 + k] = from.attenuation[k];
        }
        light += 4 * kLightVectors;
    }
    sendGroup(c, p, kLightingGroup, values);
}

void sendUnitVertex(Context& c, Program& p, int u) {
    const UnitUniforms& planes = c.unitUniforms[u].value;
    float values[4 * kUnitVertexVectors];
    std::memcpy(values, c.textureTransform[u].value.m, 16 * sizeof(float));
    std::memcpy(values + 16, planes.objectS, 4 * sizeof(float));
    std::memcpy(values + 20, planes.objectT, 4 * sizeof(float));
    std::memcpy(values + 24, planes.eyeS, 4 * sizeof(float));
    std::memcpy(values + 28, planes.eyeT, 4 * sizeof(float));
    sendGroup(c, p, kFirstUnitVertexGroup + u, values);
}

void sendUnitFragment(Context& c, Program& p, int u) {
    const UnitUniforms& environment = c.unitUniforms[u].value;
    float values[4 * kUnitFragmentVectors] = {};
    std::memcpy(values, environment.environmentColor, 4 * sizeof(float));
    values[4] = environment.rgbScale;
    values[5] = environment.alphaScale;
    sendGroup(c, p, kFirstUnitFragmentGroup + u, values);
}

UnitUniforms unitUniformsOf(const Unit& unit) {
    UnitUniforms u;
    std::memcpy(u.objectS, unit.s.objectPlane, sizeof u.objectS);
    std::memcpy(u.objectT, unit.t.objectPlane, sizeof u.objectT);
    std::memcpy(u.eyeS, unit.s.eyePlane, sizeof u.eyeS);
    std::memcpy(u.eyeT, unit.t.eyePlane, sizeof u.eyeT);
    std::memcpy(u.environmentColor, unit.environment.color, sizeof u.environmentColor);
    u.rgbScale = unit.environment.rgbScale;
    u.alphaScale = unit.environment.alphaScale;
    return u;
}

// The set-up for a draw with the current state, with no effect on GL ES but compiling a
// program it meets for the first time; false when nothing can be drawn.
bool setupFor(Context& c, DrawSetup& setup) {
    const ProgramKey key = keyFor(c);
    Program* program = c.programs.find(key);
    if (program == nullptr) {
        return false;
    }
    setup.program = program;
    setup.transform = c.transform.track({c.projection.back(), c.modelview.back()});
    if (program->locations[kLightingGroup] >= 0) {
        setup.lighting = c.lighting.track(c.state.lighting);
    }
    for (int u = 0; u < kUnitCount; ++u) {
        if (!key.units[u].enabled) {
            continue;
        }
        setup.textures[u] = c.boundTexture(u)->object;
        setup.textureTransform[u] = c.textureTransform[u].track(c.textureMatrix[u].back());
        setup.unitUniforms[u] = c.unitUniforms[u].track(unitUniformsOf(c.state.texturing.units[u]));
    }
    setup.fixed = fixedStateOf(c.state);
    return true;
}

// Sends what of a set-up GL ES does not hold yet.
void applySetup(Context& c, const DrawSetup& setup) {
    Program& p = *setup.program;
    useProgram(c, p.object);
    if (!p.samplersSet) {
        for (int u = 0; u < kUnitCount; ++u) {
            if (p.samplers[u] >= 0) {
                c.commands.uniform1i(p.samplers[u], u);
            }
        }
        p.samplersSet = true;
    }
    if (p.sentTransform != setup.transform) {
        sendTransform(c, p);
        p.sentTransform = setup.transform;
    }
    if (setup.lighting != 0 && p.sentLighting != setup.lighting) {
        sendLighting(c, p);
        p.sentLighting = setup.lighting;
    }
    for (int u = 0; u < kUnitCount; ++u) {
        if (setup.textures[u] == 0) {
            continue;
        }
        const bool planes = p.sentUnitUniforms[u] != setup.unitUniforms[u];
        if (planes || p.sentTextureTransform[u] != setup.textureTransform[u]) {
            sendUnitVertex(c, p, u);
            p.sentTextureTransform[u] = setup.textureTransform[u];
        }
        if (planes) {
            sendUnitFragment(c, p, u);
            p.sentUnitUniforms[u] = setup.unitUniforms[u];
        }
        bindTexture(c, u, setup.textures[u]);
    }
    applyFixedState(c, setup.fixed);
}

// Separate primitives of one kind: a batch of them takes more of the same.
bool joinable(GLenum mode) {
    return mode == GL_TRIANGLES || mode == GL_LINES || mode == GL_POINTS;
}

// Makes the batch being gathered one for a draw of `mode` with the current state, closing
// the one before if the draw cannot join it; false when nothing can be drawn.
bool joinOrStart(Context& c, GLenum mode) {
    DrawSetup setup;
    if (!setupFor(c, setup)) {
        return false;
    }
    Batch& b = c.batch;
    if (b.open && b.mode == mode && joinable(mode) && b.setup == setup) {
        return true;
    }
    closeBatch(c);
    applySetup(c, setup);
    b.open = true;
    b.mode = mode;
    b.setup = setup;
    b.first = c.gathered.size();
    return true;
}

void appendQuad(std::vector<Vertex>& out, const Vertex* v, const int* split) {
    for (int i = 0; i < 6; ++i) {
        out.push_back(v[split[i]]);
    }
}

}  // namespace

const int* quadSplit(bool clipped) {
    return clipped ? kClippedSplit : kUnclippedSplit;
}

bool anyOutside(const Matrix& mvp, const float* positions, size_t count, size_t stride) {
    for (size_t i = 0; i < count; ++i) {
        const float* p = positions + i * stride;
        float clip[4];
        for (int k = 0; k < 4; ++k) {
            clip[k] =
                p[0] * mvp.m[k] + p[1] * mvp.m[4 + k] + p[2] * mvp.m[8 + k] + p[3] * mvp.m[12 + k];
        }
        const float w = clip[3];
        if (!(w > 0) || clip[0] < -w || clip[0] > w || clip[1] < -w || clip[1] > w ||
            clip[2] < -w || clip[2] > w) {
            return true;
        }
    }
    return false;
}

GLenum convertPrimitive(GLenum mode, const std::vector<Vertex>& in, std::vector<Vertex>& out,
                        bool clipped) {
    out.clear();
    const size_t n = in.size();
    switch (mode) {
        case GL_QUADS: {
            const int* split = quadSplit(clipped);
            for (size_t i = 0; i + 4 <= n; i += 4) {
                appendQuad(out, &in[i], split);
            }
            return GL_TRIANGLES;
        }
        case GL_QUAD_STRIP: {
            const int* split = quadSplit(clipped);
            for (size_t i = 0; i + 4 <= n; i += 2) {
                const Vertex quad[4] = {in[i], in[i + 1], in[i + 3], in[i + 2]};
                appendQuad(out, quad, split);
            }
            return GL_TRIANGLES;
        }
        case GL_POLYGON:
        case GL_TRIANGLE_FAN:
            for (size_t i = 1; i + 1 < n; ++i) {
                out.insert(out.end(), {in[0], in[i], in[i + 1]});
            }
            return GL_TRIANGLES;
        case GL_TRIANGLE_STRIP:
            // Every other triangle turned back, so all keep the strip's facing.
            for (size_t i = 0; i + 2 < n; ++i) {
                if (i % 2 == 0) {
                    out.insert(out.end(), {in[i], in[i + 1], in[i + 2]});
                } else {
                    out.insert(out.end(), {in[i + 1], in[i], in[i + 2]});
                }
            }
            return GL_TRIANGLES;
        case GL_LINE_STRIP:
        case GL_LINE_LOOP:
            for (size_t i = 0; i + 1 < n; ++i) {
                out.insert(out.end(), {in[i], in[i + 1]});
            }
            if (mode == GL_LINE_LOOP && n > 2) {
                out.insert(out.end(), {in[n - 1], in[0]});
            }
            return GL_LINES;
        case GL_TRIANGLES:
            out.assign(in.begin(), in.begin() + static_cast<long>(n - n % 3));
            return mode;
        case GL_LINES:
            out.assign(in.begin(), in.begin() + static_cast<long>(n - n % 2));
            return mode;
        default:
            out = in;
            return mode;
    }
}

void closeBatch(Context& c) {
    Batch& b = c.batch;
    if (!b.open) {
        return;
    }
    b.open = false;
    const size_t count = c.gathered.size() - b.first;
    if (count > 0) {
        bindVertexArray(c, c.streamArray);
        c.commands.drawGathered(b.mode, static_cast<GLint>(b.first), static_cast<GLsizei>(count));
    }
}

void flush(Context& c) {
    closeBatch(c);
    if (!c.gathered.empty()) {
        // One upload for every draw held back, which then go out with the rest.
        bindArrayBuffer(c, c.streamBuffer);
        glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(c.gathered.size() * sizeof(Vertex)),
                     c.gathered.data(), GL_STREAM_DRAW);
        c.gathered.clear();
    }
    c.commands.play();
}

void drawVertices(Context& c, GLenum mode, const Vertex* vertices, GLsizei count) {
    if (count <= 0 || !joinOrStart(c, mode)) {
        return;
    }
    c.gathered.insert(c.gathered.end(), vertices, vertices + count);
    if (!joinable(mode)) {
        closeBatch(c);
    }
}

void drawArray(Context& c, GLenum mode, GLuint array, GLsizei count) {
    DrawSetup setup;
    if (count <= 0 || !setupFor(c, setup)) {
        return;
    }
    closeBatch(c);
    applySetup(c, setup);
    bindVertexArray(c, array);
    c.commands.drawArrays(mode, 0, count);
}

void drawPositions(Context& c, GLenum mode, const float* positions, GLsizei count) {
    if (count <= 0 || !joinOrStart(c, mode)) {
        return;
    }
    const Current& current = c.state.current;
    Vertex v;
    std::memcpy(v.color, current.color, sizeof v.color);
    std::memcpy(v.normal, current.normal, sizeof v.normal);
    std::memcpy(v.texCoord, current.texCoord, sizeof v.texCoord);
    for (GLsizei i = 0; i < count; ++i) {
        std::memcpy(v.position, positions + static_cast<size_t>(i) * 4, sizeof v.position);
        c.gathered.push_back(v);
    }
    if (!joinable(mode)) {
        closeBatch(c);
    }
}

GLuint makeBitmapTexture(Context& c, GLsizei width, GLsizei height, const GLubyte* bits,
                         GLint alignment) {
    if (width <= 0 || height <= 0 || bits == nullptr) {
        return 0;
    }
    std::vector<GLubyte> texels(static_cast<size_t>(width * height));
    const int rowBytes = (width + 7) / 8;
    const int stride = (rowBytes + alignment - 1) / alignment * alignment;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool set = (bits[y * stride + x / 8] & (0x80 >> (x % 8))) != 0;
            texels[static_cast<size_t>(y * width + x)] = set ? 255 : 0;
        }
    }
    flush(c);
    GLuint texture = 0;
    glGenTextures(1, &texture);
    bindTextureToChange(c, texture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_R8, width, height, 0, GL_RED, GL_UNSIGNED_BYTE,
                 texels.data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    return texture;
}

void drawBitmap(Context& c, GLuint texture, const float bitmap[6]) {
    Current& current = c.state.current;
    if (!current.rasterValid) {
        return;
    }
    const float width = bitmap[0], height = bitmap[1];
    if (texture != 0 && width > 0 && height > 0 && c.bitmapProgram != 0) {
        // GL's small nudge keeps a position a rounding error below a pixel edge on it.
        constexpr float kEpsilon = 0.0001f;
        const float left = std::floor(current.rasterPosition[0] + kEpsilon - bitmap[2]);
        const float bottom = std::floor(current.rasterPosition[1] + kEpsilon - bitmap[3]);
        const Box& v = c.state.viewport;
        auto ndcX = [&v](float x) { return (x - v.x) / v.width * 2 - 1; };
        auto ndcY = [&v](float y) { return (y - v.y) / v.height * 2 - 1; };
        closeBatch(c);
        applyFixedState(c, fixedStateOf(c.state));
        useProgram(c, c.bitmapProgram);
        const float rectangle[4] = {ndcX(left), ndcY(bottom), ndcX(left + width),
                                    ndcY(bottom + height)};
        c.commands.uniform4fv(c.bitmapRectangle, 1, rectangle);
        c.commands.uniform1f(c.bitmapDepth, current.rasterPosition[2] * 2 - 1);
        c.commands.uniform4fv(c.bitmapColor, 1, current.rasterColor);
        bindTexture(c, 0, texture);
        bindVertexArray(c, c.bitmapArray);
        c.commands.drawArrays(GL_TRIANGLE_STRIP, 0, 4);
    }
    current.rasterPosition[0] += bitmap[4];
    current.rasterPosition[1] += bitmap[5];
}

}  // namespace render::gles
