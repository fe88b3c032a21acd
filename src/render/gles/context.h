// The layer's whole state on one GL ES context: GL 1.x's state records, the matrix and
// attribute stacks, textures, display lists, and the GL ES objects it draws with. Private
// to the layer's sources.
#pragma once

#include <GLES3/gl3.h>

#include <array>
#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

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
    // Without mipmaps a mipmapping filter leaves the texture incomplete: no texturing.
    bool complete() const;
};

// One step of a display list.
struct ListCommand {
    enum class Kind { Draw, Bitmap, Call, Current } kind = Kind::Draw;
    GLenum mode = GL_TRIANGLES;  // Draw: GL ES's primitive
    GLuint array = 0, buffer = 0;
    GLsizei count = 0;
    GLuint bitmapTexture = 0;  // Bitmap: its picture as a texture
    float bitmap[6] = {};      // width, height, x and y origin, x and y move
    GLuint list = 0;           // Call
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
    GLuint positionArray = 0, positionBuffer = 0;
    GLuint readFramebuffer = 0;
    GLuint pictureFramebuffer = 0;  // where the picture is read from: 0 is the window's
    GLuint bitmapProgram = 0, bitmapArray = 0, bitmapBuffer = 0;
    GLint bitmapRectangle = -1, bitmapColor = -1, bitmapDepth = -1;
    ProgramCache programs;
    // Bumped by every call that changes what a program's uniforms hold.
    uint64_t transformStamp = 0, lightingStamp = 0, texturingStamp = 0;

    // What GL ES has been told, so a draw sends only what changed.
    struct Applied {
        bool valid = false;
        Enables enables;
        ColorBuffer color;
        Depth depth;
        Stencil stencil;
        GLenum cullFace = GL_BACK;
        Box scissor, viewport;
    } applied;

    Matrix& currentMatrix();
    std::vector<Matrix>& currentStack();
    // Records GL's error for a call the layer refuses; the first one stays until read.
    void fail(GLenum code);
    Texture* boundTexture(int unit);
    // Makes the picture the read framebuffer, and its colour the read buffer.
    void bindPictureForReading() const;
};

// The layer's context; attachToCurrentContext makes it anew.
Context& context();

// The stream's and the lists' vertex arrays: every attribute of Vertex.
void setUpVertexLayout();
// Sends the fixed state (blend, depth, stencil, cull, scissor, viewport, masks) to GL ES.
void applyFixedState(Context& c);
// Draws vertices given in GL ES primitives with the current GL 1.x state.
void drawVertices(Context& c, GLenum mode, const Vertex* vertices, GLsizei count);
// Draws a recorded batch with the current state.
void drawArray(Context& c, GLenum mode, GLuint array, GLsizei count);
// Shadow volumes: positions only, the rest from the current attributes.
void drawPositions(Context& c, GLenum mode, const float* positions, GLsizei count);
// A bitmap's texture drawn at the raster position; moves the raster position on.
void drawBitmap(Context& c, GLuint texture, const float bitmap[6]);
GLuint makeBitmapTexture(GLsizei width, GLsizei height, const GLubyte* bits, GLint alignment);
// GL 1.x primitives as GL ES draws them: quads as triangle pairs (split as Mesa splits
// them in a draw that is `clipped` or not), polygons as fans.
GLenum convertPrimitive(GLenum mode, const std::vector<Vertex>& in, std::vector<Vertex>& out,
                        bool clipped);
const int* quadSplit(bool clipped);
// Whether a vertex of `count` homogeneous positions, `stride` floats apart, lies outside
// the view volume.
bool anyOutside(const Matrix& mvp, const float* positions, size_t count, size_t stride);
void executeList(Context& c, GLuint list, int depth);

}  // namespace render::gles
