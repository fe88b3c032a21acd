// The GL ES calls that set up, draw, clear and copy. A draw of gathered vertices needs them
// in the stream buffer before it, and all the draws up to the next moment GL ES must be up
// to date share one upload: so from the first such draw on, the calls are recorded, and
// `play` sends them after the upload, in the order they were made. Before it they go out
// at once.
#pragma once

#include <GLES3/gl3.h>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace render::gles {

class EsCommands {
public:
    bool recording() const { return !commands_.empty(); }

    void useProgram(GLuint program);
    void uniform1i(GLint location, GLint value);
    void uniform1f(GLint location, GLfloat value);
    void uniform4fv(GLint location, GLsizei count, const GLfloat* values);
    void enable(GLenum cap, bool on);
    void blendFunc(GLenum source, GLenum destination);
    void colorMask(const bool mask[4]);
    void depthFunc(GLenum func);
    void depthMask(bool on);
    void stencilFunc(GLenum func, GLint ref, GLuint mask);
    void stencilOp(GLenum fail, GLenum depthFail, GLenum pass);
    void cullFace(GLenum face);
    void scissor(GLint x, GLint y, GLsizei width, GLsizei height);
    void viewport(GLint x, GLint y, GLsizei width, GLsizei height);
    void clearColor(const float color[4]);
    void clear(GLbitfield mask);
    void activeTexture(GLenum unit);
    void bindTexture(GLuint texture);
    void bindVertexArray(GLuint array);
    // The colour buffer's rectangle into the bound texture, as its one level.
    void copyTexImage(GLint x, GLint y, GLsizei width, GLsizei height, bool firstCopy);
    // A draw of vertices already in their buffers.
    void drawArrays(GLenum mode, GLint first, GLsizei count);
    // A draw of vertices gathered for the next upload: recorded, whatever came before.
    void drawGathered(GLenum mode, GLint first, GLsizei count);

    // Sends what was recorded, in order, and forgets it.
    void play();

private:
    enum class Op : uint8_t {
        UseProgram,
        Uniform1i,
        Uniform1f,
        Uniform4fv,
        Enable,
        Disable,
        BlendFunc,
        ColorMask,
        DepthFunc,
        DepthMask,
        StencilFunc,
        StencilOp,
        CullFace,
        Scissor,
        Viewport,
        ClearColor,
        Clear,
        ActiveTexture,
        BindTexture,
        BindVertexArray,
        CopyTexImage,
        DrawArrays
    };
    struct Command {
        Op op;
        GLint a = 0, b = 0, c = 0, d = 0;
        uint32_t values = 0;  // where its floats start in values_
    };

    // Sends a command now, or records it (with its floats) when recording.
    void issue(const Command& command, const GLfloat* values = nullptr, size_t count = 0);
    static void send(const Command& command, const GLfloat* values);

    std::vector<Command> commands_;
    std::vector<GLfloat> values_;
};

}  // namespace render::gles
