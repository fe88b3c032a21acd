// What GL 1.x keeps as state, for the part of it the show uses, grouped as glPushAttrib
// saves it. The layer draws from these records; GL ES holds only what it is handed.
#pragma once

#include <GLES3/gl3.h>

#include <array>
#include <vector>

#include "render/gles/legacy_names.h"
#include "render/gles/matrix.h"

namespace render::gles {

constexpr int kLightCount = 8;
// The show lays a surface texture and a two-part light map on one pass: three units.
constexpr int kUnitCount = 3;

struct Vertex {
    float position[4];
    float color[4];
    float normal[3];
    float texCoord[kUnitCount][2];
};

// GL_CURRENT_BIT: the values the next vertex takes, and the raster position.
struct Current {
    float color[4] = {1, 1, 1, 1};
    float normal[3] = {0, 0, 1};
    float texCoord[kUnitCount][2] = {};
    float rasterPosition[4] = {0, 0, 0, 1};  // window x, y, depth in [0, 1]
    float rasterColor[4] = {1, 1, 1, 1};
    bool rasterValid = true;
    bool operator==(const Current&) const = default;
};

// GL_ENABLE_BIT: every switch the show turns.
struct Enables {
    bool lighting = false;
    std::array<bool, kLightCount> lights{};
    std::array<bool, kUnitCount> texture2D{};
    std::array<bool, kUnitCount> generateS{};
    std::array<bool, kUnitCount> generateT{};
    bool blend = false;
    bool depthTest = false;
    bool cullFace = false;
    bool stencilTest = false;
    bool scissorTest = false;
    bool normalize = false;
    bool operator==(const Enables&) const = default;
};

struct Light {
    float ambient[4] = {0, 0, 0, 1};
    float diffuse[4] = {0, 0, 0, 1};
    float specular[4] = {0, 0, 0, 1};
    float position[4] = {0, 0, 1, 0};  // eye coordinates
    float attenuation[3] = {1, 0, 0};  // constant, linear, quadratic
    bool operator==(const Light&) const = default;
};

struct Material {
    float ambient[4] = {0.2f, 0.2f, 0.2f, 1};
    float diffuse[4] = {0.8f, 0.8f, 0.8f, 1};
    float specular[4] = {0, 0, 0, 1};
    float emission[4] = {0, 0, 0, 1};
    float shininess = 0;
    bool operator==(const Material&) const = default;
};

// GL_LIGHTING_BIT
struct Lighting {
    std::array<Light, kLightCount> lights;
    Material front, back;
    float modelAmbient[4] = {0.2f, 0.2f, 0.2f, 1};
    Lighting() {
        for (int i = 0; i < 4; ++i) {
            lights[0].diffuse[i] = 1;
            lights[0].specular[i] = 1;
        }
    }
    bool operator==(const Lighting&) const = default;
};

struct TextureEnvironment {
    GLenum mode = GL_MODULATE;
    GLenum combineRgb = GL_MODULATE;
    GLenum combineAlpha = GL_MODULATE;
    GLenum sourceRgb[3] = {GL_TEXTURE, GL_PREVIOUS, GL_CONSTANT};
    GLenum sourceAlpha[3] = {GL_TEXTURE, GL_PREVIOUS, GL_CONSTANT};
    GLenum operandRgb[3] = {GL_SRC_COLOR, GL_SRC_COLOR, GL_SRC_ALPHA};
    GLenum operandAlpha[3] = {GL_SRC_ALPHA, GL_SRC_ALPHA, GL_SRC_ALPHA};
    float rgbScale = 1;
    float alphaScale = 1;
    float color[4] = {0, 0, 0, 0};
    bool operator==(const TextureEnvironment&) const = default;
};

struct Generation {
    GLenum mode = GL_EYE_LINEAR;
    float objectPlane[4] = {};
    float eyePlane[4] = {};
    bool operator==(const Generation&) const = default;
};

struct Unit {
    GLuint bound = 0;
    TextureEnvironment environment;
    Generation s, t;
    Unit() {
        s.objectPlane[0] = s.eyePlane[0] = 1;
        t.objectPlane[1] = t.eyePlane[1] = 1;
    }
    bool operator==(const Unit&) const = default;
};

// GL_TEXTURE_BIT
struct Texturing {
    std::array<Unit, kUnitCount> units;
    int active = 0;
    bool operator==(const Texturing&) const = default;
};

// GL_COLOR_BUFFER_BIT
struct ColorBuffer {
    GLenum blendSource = GL_ONE;
    GLenum blendDestination = GL_ZERO;
    float clearColor[4] = {0, 0, 0, 0};
    bool colorMask[4] = {true, true, true, true};
    bool operator==(const ColorBuffer&) const = default;
};

// GL_DEPTH_BUFFER_BIT
struct Depth {
    GLenum func = GL_LESS;
    bool mask = true;
    bool operator==(const Depth&) const = default;
};

// GL_STENCIL_BUFFER_BIT
struct Stencil {
    GLenum func = GL_ALWAYS;
    GLint ref = 0;
    GLuint mask = ~0u;
    GLenum fail = GL_KEEP, depthFail = GL_KEEP, pass = GL_KEEP;
    bool operator==(const Stencil&) const = default;
};

struct Box {
    GLint x = 0, y = 0;
    GLsizei width = 0, height = 0;
    bool operator==(const Box&) const = default;
};

// Everything glPushAttrib can save.
struct ServerState {
    Current current;
    Enables enables;
    Lighting lighting;
    Texturing texturing;
    ColorBuffer color;
    Depth depth;
    Stencil stencil;
    GLenum cullFace = GL_BACK;         // GL_POLYGON_BIT
    Box scissor;                       // GL_SCISSOR_BIT
    Box viewport;                      // GL_VIEWPORT_BIT
    GLenum matrixMode = GL_MODELVIEW;  // GL_TRANSFORM_BIT
    GLenum readBuffer = GL_BACK;       // GL_PIXEL_MODE_BIT
    bool operator==(const ServerState&) const = default;
};

// Everything glPushClientAttrib can save.
// The vertex array glVertexPointer describes.
struct ClientArray {
    bool enabled = false;
    GLint size = 4;
    GLenum type = GL_FLOAT;
    GLsizei stride = 0;
    const void* pointer = nullptr;
    bool operator==(const ClientArray&) const = default;
};

// How pixels lie in the caller's memory.
struct PixelStore {
    GLint packAlignment = 4;
    GLint packRowLength = 0;
    GLint unpackAlignment = 4;
    bool operator==(const PixelStore&) const = default;
};

// Everything glPushClientAttrib can save, a group to each of its bits.
struct ClientState {
    ClientArray vertices;  // GL_CLIENT_VERTEX_ARRAY_BIT
    PixelStore pixels;     // GL_CLIENT_PIXEL_STORE_BIT
    bool operator==(const ClientState&) const = default;
};

}  // namespace render::gles
