// The layer's whole state on one GL ES context: GL 1.x's state records, the matrix and
// attribute stacks, textures, display lists, and the GL ES objects it draws with. Private
// to the layer's sources.
#pragma once

#include <GLES3/gl3.h>

#include <array>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "render/gles/es_commands.h"
#include "render/gles/legacy_names.h"
#include "render/gles/matrix.h"
#include "render/gles/program_cache.h"
#include "render/gles/state.h"

namespace render::gles {

struct Texture {
    GLuint object = 0;  // the GL ES texture
    GLsizei width = 0, height = 0;
    bool hasAlpha = true;  // an RGB image samples alpha as 1, which REPLACE and DECAL see
    GLenum minFilter = GL_NEAREST_MIPMAP_LINEAR;
    GLenum magFilter = GL_LINEAR;
    GLenum wrapS = GL_REPEAT, wrapT = GL_REPEAT;
    bool singleLevel = false;  // GL ES told that the image has no mipmaps
    // Without mipmaps a mipmapping filter leaves the texture incomplete: no texturing.
    bool complete() const;
};

// One step of a display list.
struct ListCommand {
    enum class Kind { Draw, Bitmap, Call, Current } kind = Kind::Draw;
    GLenum mode = GL_TRIANGLES;  // Draw: GL ES's primitive
    GLuint array = 0, buffer = 0;
    GLsizei count = 0;
    std::vector<Vertex> vertices;  // Draw, while the list is recorded
    GLuint bitmapTexture = 0;      // Bitmap: its picture as a texture
    float bitmap[6] = {};          // width, height, x and y origin, x and y move
    GLuint list = 0;               // Call
    // Current: the attributes the list set, as they stood at its end.
    Current current;
    unsigned currentSet = 0;
};

// Which current attributes a list set; unit u's coordinates are kSetTexCoord << u.
enum CurrentBits : unsigned { kSetColor = 1, kSetNormal = 2, kSetTexCoord = 4 };

// The vertex shader's inputs.
enum Attribute : GLuint {
    kPositionAttribute = 0,
    kColorAttribute = 1,
    kNormalAttribute = 2,
    kTexCoordAttribute = 3  // one per unit from here
};

struct DisplayList {
    std::vector<ListCommand> commands;
};

struct SavedAttributes {
    GLbitfield mask;
    ServerState state;
};

struct SavedClientAttributes {
    GLbitfield mask;
    ClientState state;
};

// A value and a version that moves whenever the value's bytes change.
template <typename T>
struct Tracked {
    T value{};
    uint64_t version = 1;
    uint64_t track(const T& now) {
        if (std::memcmp(&now, &value, sizeof value) != 0) {
            value = now;
            ++version;
        }
        return version;
    }
};

struct Transform {
    Matrix projection, modelview;
};

// What one unit's uniforms hold besides its texture matrix.
struct UnitUniforms {
    float objectS[4], objectT[4], eyeS[4], eyeT[4];
    float environmentColor[4];
    float rgbScale, alphaScale;
};

// What GL ES's fixed stages do with a draw's fragments; what a switch that is off makes
// irrelevant is left at its initial value.
struct FixedState {
    bool blend = false, depthTest = false, cullFace = false, stencilTest = false,
         scissorTest = false;
    GLenum blendSource = GL_ONE, blendDestination = GL_ZERO;
    bool colorMask[4] = {true, true, true, true};
    GLenum depthFunc = GL_LESS;
    bool depthMask = true;
    Stencil stencil;
    GLenum culledFace = GL_BACK;
    Box scissor, viewport;
    bool operator==(const FixedState&) const = default;
};

// Everything a draw sets up on GL ES besides its vertices.
struct DrawSetup {
    Program* program = nullptr;
    // The versions of the uniform groups the program reads, 0 for a group it has not.
    uint64_t transform = 0, lighting = 0;
    uint64_t textureTransform[kUnitCount] = {}, unitUniforms[kUnitCount] = {};
    GLuint textures[kUnitCount] = {};  // the GL ES textures sampled, 0 for a unit off
    FixedState fixed;
    bool operator==(const DrawSetup&) const = default;
};

// The draw being gathered: its vertices are the gathered ones from `first` on.
struct Batch {
    bool open = false;
    GLenum mode = GL_TRIANGLES;
    DrawSetup setup;
    size_t first = 0;
};

// What the GL ES context holds now, so only changes are sent; kUnknown (or -1) until known.
struct EsState {
    static constexpr GLuint kUnknown = ~0u;
    GLuint program = kUnknown;
    GLuint vertexArray = kUnknown;
    GLuint arrayBuffer = kUnknown;
    int activeUnit = -1;
    std::array<GLuint, kUnitCount> textures = {kUnknown, kUnknown, kUnknown};
    unsigned fixedKnown = 0;  // which parts of `fixed` GL ES is known to hold
    FixedState fixed;
    bool clearColorKnown = false;
    float clearColor[4] = {};
};

struct Mark {
    ServerState state;
    ClientState client;
    Matrix modelview, projection;
    std::array<Matrix, kUnitCount> texture;
    size_t depths[4];
};

inline std::array<std::vector<Matrix>, kUnitCount> initialTextureMatrices() {
    std::array<std::vector<Matrix>, kUnitCount> stacks;
    for (auto& stack : stacks) {
        stack.push_back(Matrix{});
    }
    return stacks;
}

struct Context {
    ServerState state;
    ClientState client;
    std::vector<Matrix> modelview{Matrix{}};
    std::vector<Matrix> projection{Matrix{}};
    std::array<std::vector<Matrix>, kUnitCount> textureMatrix = initialTextureMatrices();
    std::vector<SavedAttributes> attributeStack;
    std::vector<SavedClientAttributes> clientAttributeStack;
    GLenum error = GL_NO_ERROR;

    // Immediate mode: the primitive being given, and its vertices so far.
    bool inBegin = false;
    GLenum beginMode = GL_TRIANGLES;
    std::vector<Vertex> vertices;
    std::vector<Vertex> converted;

    // Display lists: the one being recorded, and those recorded.
    GLuint recording = 0;
    DisplayList recorded;
    unsigned recordedCurrent = 0;
    std::unordered_map<GLuint, DisplayList> lists;
    GLuint nextList = 1;

    std::unordered_map<GLuint, Texture> textures;
    GLuint nextTexture = 1;

    // GL ES objects.
    GLuint streamArray = 0, streamBuffer = 0;
    GLuint readFramebuffer = 0;
    GLuint pictureFramebuffer = 0;  // where the picture is read from: 0 is the window's
    GLuint bitmapProgram = 0, bitmapArray = 0, bitmapBuffer = 0;
    GLint bitmapRectangle = -1, bitmapColor = -1, bitmapDepth = -1;
    ProgramCache programs;

    // The values the programs' uniforms are made from, each with a version that moves when
    // the value does: a program is sent a group only when its version has moved since.
    Tracked<Transform> transform;
    std::array<Tracked<Matrix>, kUnitCount> textureTransform;
    Tracked<Lighting> lighting;
    std::array<Tracked<UnitUniforms>, kUnitCount> unitUniforms;

    // The draw being gathered, the vertices of the draws not yet uploaded, the calls held
    // back until they are, and what GL ES holds once it has them all.
    Batch batch;
    std::vector<Vertex> gathered;
    EsCommands commands;
    EsState es;

    // glGetString's answers, made on first asking.
    std::string versionString, rendererString;
    // The current attributes when a list began: compiling leaves them as they were.
    Current currentBeforeList;
    // markState's records, newest last.
    std::vector<Mark> marks;

    Matrix& currentMatrix();
    std::vector<Matrix>& currentStack();
    // Records GL's error for a call the layer refuses; the first one stays until read.
    void fail(GLenum code);
    // A rectangle a call gives (the scissor box, the viewport); a negative size is refused
    // and leaves `box` as it was.
    void setBox(Box& box, GLint x, GLint y, GLsizei width, GLsizei height);
    Texture* boundTexture(int unit);
    // Makes the picture the read framebuffer, and its colour the read buffer.
    void bindPictureForReading() const;
};

// The layer's context; attachToCurrentContext makes it anew.
Context& context();

// The stream's and the lists' vertex arrays: every attribute of Vertex.
void setUpVertexLayout();

// Drawing. A draw joins the batch being gathered when its set-up equals the batch's and both
// are lists of one kind of primitive (triangles, lines or points); otherwise the batch is
// closed (its draw issued) and the draw's set-up is issued in its place. So state recorded
// between two draws (matrices, switches, bindings) separates them only if it changes what
// the second draw sees. Calls that draw, clear or copy otherwise close the batch first;
// those that need GL ES up to date (texture uploads and deletions, reads, lists being
// compiled or deleted, glFinish and glFlush) flush: the gathered vertices are uploaded and
// the calls held back are sent.
void closeBatch(Context& c);
void flush(Context& c);
// Vertices given in GL ES primitives, with the current GL 1.x state.
void drawVertices(Context& c, GLenum mode, const Vertex* vertices, GLsizei count);
// A recorded list primitive with the current state.
void drawArray(Context& c, GLenum mode, GLuint array, GLsizei count);
// Homogeneous positions (the shadow volumes), the rest from the current attributes.
void drawPositions(Context& c, GLenum mode, const float* positions, GLsizei count);
// A bitmap's texture drawn at the raster position; moves the raster position on.
void drawBitmap(Context& c, GLuint texture, const float bitmap[6]);
GLuint makeBitmapTexture(Context& c, GLsizei width, GLsizei height, const GLubyte* bits,
                         GLint alignment);

// GL ES state through what the context is known to hold.
FixedState fixedStateOf(const ServerState& s);
void applyFixedState(Context& c, const FixedState& fixed);
// What a clear takes of the fixed state: the scissor box and the write masks.
void applyClearState(Context& c, const ServerState& s);
void useProgram(Context& c, GLuint program);
void bindVertexArray(Context& c, GLuint array);
void bindArrayBuffer(Context& c, GLuint buffer);
// Binds a GL ES texture to a unit, to draw with.
void bindTexture(Context& c, int unit, GLuint object);
// Binds a GL ES texture to whichever unit is active, to fill or set it up.
void bindTextureToChange(Context& c, GLuint object);

// GL 1.x primitives as GL ES draws them, as lists of separate primitives: quads as triangle
// pairs (split as Mesa splits them in a draw that is `clipped` or not), polygons, fans and
// strips as triangles, line strips and loops as lines.
GLenum convertPrimitive(GLenum mode, const std::vector<Vertex>& in, std::vector<Vertex>& out,
                        bool clipped);
const int* quadSplit(bool clipped);
// Whether a vertex of `count` homogeneous positions, `stride` floats apart, lies outside
// the view volume.
bool anyOutside(const Matrix& mvp, const float* positions, size_t count, size_t stride);
void executeList(Context& c, GLuint list, int depth);

}  // namespace render::gles
