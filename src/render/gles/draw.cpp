// Drawing with the current GL 1.x state: the program for the switches in use, its
// uniforms, the fixed state, then the vertices.
#include <cmath>
#include <cstring>

#include "render/gles/context.h"

namespace render::gles {

namespace {

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

void sendTransform(Context& c, Program& p) {
    if (p.transformStamp == c.transformStamp) {
        return;
    }
    p.transformStamp = c.transformStamp;
    const Matrix& modelview = c.modelview.back();
    glUniformMatrix4fv(p.mvp, 1, GL_FALSE, Matrix::product(c.projection.back(), modelview).m);
    glUniformMatrix4fv(p.modelview, 1, GL_FALSE, modelview.m);
    if (p.normalRows >= 0) {
        // The inverse transpose's rows are the inverse's columns.
        const Matrix inverse = modelview.inverse();
        const float n[9] = {inverse.m[0], inverse.m[1], inverse.m[2], inverse.m[4], inverse.m[5],
                            inverse.m[6], inverse.m[8], inverse.m[9], inverse.m[10]};
        glUniform3fv(p.normalRows, 3, n);
    }
    for (int u = 0; u < kUnitCount; ++u) {
        if (p.units[u].textureMatrix >= 0) {
            glUniformMatrix4fv(p.units[u].textureMatrix, 1, GL_FALSE, c.textureMatrix[u].back().m);
        }
    }
}

void sendLighting(Context& c, Program& p) {
    if (p.sceneColor < 0 || p.lightingStamp == c.lightingStamp) {
        return;
    }
    p.lightingStamp = c.lightingStamp;
    const Lighting& l = c.state.lighting;
    const Material& m = l.front;
    float scene[4];
    for (int i = 0; i < 3; ++i) {
        scene[i] = m.emission[i] + m.ambient[i] * l.modelAmbient[i];
    }
    scene[3] = m.diffuse[3];
    glUniform4fv(p.sceneColor, 1, scene);
    glUniform1f(p.shininess, m.shininess);
    glUniform1f(p.diffuseAlpha, m.diffuse[3]);
    for (int i = 0; i < kLightCount; ++i) {
        const auto& u = p.lights[i];
        if (u.position < 0 && u.ambient < 0) {
            continue;
        }
        const Light& light = l.lights[i];
        float product[3];
        for (int k = 0; k < 3; ++k) {
            product[k] = light.ambient[k] * m.ambient[k];
        }
        glUniform3fv(u.ambient, 1, product);
        for (int k = 0; k < 3; ++k) {
            product[k] = light.diffuse[k] * m.diffuse[k];
        }
        glUniform3fv(u.diffuse, 1, product);
        for (int k = 0; k < 3; ++k) {
            product[k] = light.specular[k] * m.specular[k];
        }
        glUniform3fv(u.specular, 1, product);
        glUniform3fv(u.attenuation, 1, light.attenuation);
        if (light.position[3] != 0) {
            // A positional light is the point its homogeneous position names.
            const float w = light.position[3];
            glUniform4f(u.position, light.position[0] / w, light.position[1] / w,
                        light.position[2] / w, 1.0f);
        } else {
            // A directional light: its direction and half vector for a viewer at infinity.
            float direction[4] = {0, 0, 0, 0};
            normalize3(light.position, direction);
            glUniform4fv(u.position, 1, direction);
            const float sum[3] = {direction[0], direction[1], direction[2] + 1.0f};
            float half[3];
            normalize3(sum, half);
            glUniform3fv(u.halfVector, 1, half);
        }
    }
}

void sendTexturing(Context& c, Program& p) {
    if (p.texturingStamp == c.texturingStamp) {
        return;
    }
    p.texturingStamp = c.texturingStamp;
    for (int u = 0; u < kUnitCount; ++u) {
        const auto& uniforms = p.units[u];
        if (uniforms.sampler < 0) {
            continue;
        }
        const Unit& unit = c.state.texturing.units[u];
        glUniform4fv(uniforms.objectS, 1, unit.s.objectPlane);
        glUniform4fv(uniforms.objectT, 1, unit.t.objectPlane);
        glUniform4fv(uniforms.eyeS, 1, unit.s.eyePlane);
        glUniform4fv(uniforms.eyeT, 1, unit.t.eyePlane);
        glUniform4fv(uniforms.environmentColor, 1, unit.environment.color);
        glUniform1f(uniforms.rgbScale, unit.environment.rgbScale);
        glUniform1f(uniforms.alphaScale, unit.environment.alphaScale);
    }
}

void bindTextures(Context& c, const ProgramKey& key) {
    for (int u = 0; u < kUnitCount; ++u) {
        if (!key.units[u].enabled) {
            continue;
        }
        glActiveTexture(GL_TEXTURE0 + u);
        glBindTexture(GL_TEXTURE_2D, c.boundTexture(u)->object);
    }
    glActiveTexture(GL_TEXTURE0);
}

// Everything but the vertices; false when nothing can be drawn.
bool prepareDraw(Context& c) {
    const ProgramKey key = keyFor(c);
    Program* program = c.programs.find(key);
    if (program == nullptr) {
        return false;
    }
    glUseProgram(program->object);
    sendTransform(c, *program);
    sendLighting(c, *program);
    sendTexturing(c, *program);
    bindTextures(c, key);
    applyFixedState(c);
    return true;
}

void appendQuad(std::vector<Vertex>& out, const Vertex* v, const int* split) {
    for (int i = 0; i < 6; ++i) {
        out.push_back(v[split[i]]);
    }
}

}  // namespace

const int* quadSplit(bool clipped) {
    // Mesa splits a quad along its 0–2 diagonal, but along 1–3 in a draw that has a vertex
    // outside the view volume (it is clipped then). Gouraud shading shows the diagonal.
    static const int kUnclipped[6] = {0, 1, 2, 0, 2, 3};
    static const int kClipped[6] = {0, 1, 3, 1, 2, 3};
    return clipped ? kClipped : kUnclipped;
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
    const int* split = quadSplit(clipped);
    switch (mode) {
        case GL_QUADS:
            for (size_t i = 0; i + 4 <= in.size(); i += 4) {
                appendQuad(out, &in[i], split);
            }
            return GL_TRIANGLES;
        case GL_QUAD_STRIP:
            for (size_t i = 0; i + 4 <= in.size(); i += 2) {
                const Vertex quad[4] = {in[i], in[i + 1], in[i + 3], in[i + 2]};
                appendQuad(out, quad, split);
            }
            return GL_TRIANGLES;
        case GL_POLYGON:
            out = in;
            return GL_TRIANGLE_FAN;
        default:
            out = in;
            return mode;
    }
}

void drawVertices(Context& c, GLenum mode, const Vertex* vertices, GLsizei count) {
    if (count <= 0 || !prepareDraw(c)) {
        return;
    }
    glBindVertexArray(c.streamArray);
    glBindBuffer(GL_ARRAY_BUFFER, c.streamBuffer);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(count * sizeof(Vertex)), vertices,
                 GL_STREAM_DRAW);
    glDrawArrays(mode, 0, count);
}

void drawArray(Context& c, GLenum mode, GLuint array, GLsizei count) {
    if (count <= 0 || !prepareDraw(c)) {
        return;
    }
    glBindVertexArray(array);
    glDrawArrays(mode, 0, count);
}

void drawPositions(Context& c, GLenum mode, const float* positions, GLsizei count) {
    if (count <= 0 || !prepareDraw(c)) {
        return;
    }
    const Current& current = c.state.current;
    glBindVertexArray(c.positionArray);
    glBindBuffer(GL_ARRAY_BUFFER, c.positionBuffer);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(count * 4 * sizeof(float)), positions,
                 GL_STREAM_DRAW);
    glVertexAttrib4fv(kColorAttribute, current.color);
    glVertexAttrib3fv(kNormalAttribute, current.normal);
    for (int u = 0; u < kUnitCount; ++u) {
        glVertexAttrib2fv(kTexCoordAttribute + u, current.texCoord[u]);
    }
    glDrawArrays(mode, 0, count);
}

GLuint makeBitmapTexture(GLsizei width, GLsizei height, const GLubyte* bits, GLint alignment) {
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
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, texture);
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
        applyFixedState(c);
        glUseProgram(c.bitmapProgram);
        glUniform4f(c.bitmapRectangle, ndcX(left), ndcY(bottom), ndcX(left + width),
                    ndcY(bottom + height));
        glUniform1f(c.bitmapDepth, current.rasterPosition[2] * 2 - 1);
        glUniform4fv(c.bitmapColor, 1, current.rasterColor);
        glActiveTexture(GL_TEXTURE0);
        glBindTexture(GL_TEXTURE_2D, texture);
        glBindVertexArray(c.bitmapArray);
        glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
    }
    current.rasterPosition[0] += bitmap[4];
    current.rasterPosition[1] += bitmap[5];
}

}  // namespace render::gles
