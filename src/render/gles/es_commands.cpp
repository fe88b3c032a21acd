#include "render/gles/es_commands.h"

namespace render::gles {

namespace {

GLint asInt(GLenum value) {
    return static_cast<GLint>(value);
}

GLenum asEnum(GLint value) {
    return static_cast<GLenum>(value);
}

}  // namespace

void EsCommands::issue(const Command& command, const GLfloat* values, size_t count) {
    if (!recording() && command.op != Op::DrawArrays) {
        send(command, values);
        return;
    }
    commands_.push_back(command);
    commands_.back().values = static_cast<uint32_t>(values_.size());
    values_.insert(values_.end(), values, values + count);
}

void EsCommands::send(const Command& k, const GLfloat* values) {
    switch (k.op) {
        case Op::UseProgram:
            glUseProgram(static_cast<GLuint>(k.a));
            break;
        case Op::Uniform1i:
            glUniform1i(k.a, k.b);
            break;
        case Op::Uniform1f:
            glUniform1f(k.a, values[0]);
            break;
        case Op::Uniform4fv:
            glUniform4fv(k.a, k.b, values);
            break;
        case Op::Enable:
            glEnable(asEnum(k.a));
            break;
        case Op::Disable:
            glDisable(asEnum(k.a));
            break;
        case Op::BlendFunc:
            glBlendFunc(asEnum(k.a), asEnum(k.b));
            break;
        case Op::ColorMask:
            glColorMask(k.a != 0, k.b != 0, k.c != 0, k.d != 0);
            break;
        case Op::DepthFunc:
            glDepthFunc(asEnum(k.a));
            break;
        case Op::DepthMask:
            glDepthMask(k.a != 0);
            break;
        case Op::StencilFunc:
            glStencilFunc(asEnum(k.a), k.b, static_cast<GLuint>(k.c));
            break;
        case Op::StencilOp:
            glStencilOp(asEnum(k.a), asEnum(k.b), asEnum(k.c));
            break;
        case Op::CullFace:
            glCullFace(asEnum(k.a));
            break;
        case Op::Scissor:
            glScissor(k.a, k.b, k.c, k.d);
            break;
        case Op::Viewport:
            glViewport(k.a, k.b, k.c, k.d);
            break;
        case Op::ClearColor:
            glClearColor(values[0], values[1], values[2], values[3]);
            break;
        case Op::Clear:
            glClear(static_cast<GLbitfield>(k.a));
            break;
        case Op::ActiveTexture:
            glActiveTexture(asEnum(k.a));
            break;
        case Op::BindTexture:
            glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(k.a));
            break;
        case Op::BindVertexArray:
            glBindVertexArray(static_cast<GLuint>(k.a));
            break;
        case Op::CopyTexImage:
            glCopyTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, k.a, k.b, k.c, k.d, 0);
            if (values != nullptr && values[0] != 0) {
                // GL 1.x's image has this one level: GL ES samples it only when told so.
                glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
            }
            break;
        case Op::DrawArrays:
            glDrawArrays(asEnum(k.a), k.b, k.c);
            break;
    }
}

void EsCommands::play() {
    for (const Command& command : commands_) {
        send(command, values_.data() + command.values);
    }
    commands_.clear();
    values_.clear();
}

void EsCommands::useProgram(GLuint program) {
    issue({Op::UseProgram, static_cast<GLint>(program)});
}

void EsCommands::uniform1i(GLint location, GLint value) {
    issue({Op::Uniform1i, location, value});
}

void EsCommands::uniform1f(GLint location, GLfloat value) {
    issue({Op::Uniform1f, location}, &value, 1);
}

void EsCommands::uniform4fv(GLint location, GLsizei count, const GLfloat* values) {
    issue({Op::Uniform4fv, location, count}, values, static_cast<size_t>(count) * 4);
}

void EsCommands::enable(GLenum cap, bool on) {
    issue({on ? Op::Enable : Op::Disable, asInt(cap)});
}

void EsCommands::blendFunc(GLenum source, GLenum destination) {
    issue({Op::BlendFunc, asInt(source), asInt(destination)});
}

void EsCommands::colorMask(const bool mask[4]) {
    issue({Op::ColorMask, mask[0], mask[1], mask[2], mask[3]});
}

void EsCommands::depthFunc(GLenum func) {
    issue({Op::DepthFunc, asInt(func)});
}

void EsCommands::depthMask(bool on) {
    issue({Op::DepthMask, on});
}

void EsCommands::stencilFunc(GLenum func, GLint ref, GLuint mask) {
    issue({Op::StencilFunc, asInt(func), ref, static_cast<GLint>(mask)});
}

void EsCommands::stencilOp(GLenum fail, GLenum depthFail, GLenum pass) {
    issue({Op::StencilOp, asInt(fail), asInt(depthFail), asInt(pass)});
}

void EsCommands::cullFace(GLenum face) {
    issue({Op::CullFace, asInt(face)});
}

void EsCommands::scissor(GLint x, GLint y, GLsizei width, GLsizei height) {
    issue({Op::Scissor, x, y, width, height});
}

void EsCommands::viewport(GLint x, GLint y, GLsizei width, GLsizei height) {
    issue({Op::Viewport, x, y, width, height});
}

void EsCommands::clearColor(const float color[4]) {
    issue({Op::ClearColor}, color, 4);
}

void EsCommands::clear(GLbitfield mask) {
    issue({Op::Clear, static_cast<GLint>(mask)});
}

void EsCommands::activeTexture(GLenum unit) {
    issue({Op::ActiveTexture, asInt(unit)});
}

void EsCommands::bindTexture(GLuint texture) {
    issue({Op::BindTexture, static_cast<GLint>(texture)});
}

void EsCommands::bindVertexArray(GLuint array) {
    issue({Op::BindVertexArray, static_cast<GLint>(array)});
}

void EsCommands::copyTexImage(GLint x, GLint y, GLsizei width, GLsizei height, bool firstCopy) {
    const GLfloat first = firstCopy ? 1.0f : 0.0f;
    issue({Op::CopyTexImage, x, y, width, height}, &first, 1);
}

void EsCommands::drawArrays(GLenum mode, GLint first, GLsizei count) {
    // Not DrawArrays: that op is always recorded.
    if (!recording()) {
        glDrawArrays(mode, first, count);
        return;
    }
    issue({Op::DrawArrays, asInt(mode), first, count});
}

void EsCommands::drawGathered(GLenum mode, GLint first, GLsizei count) {
    issue({Op::DrawArrays, asInt(mode), first, count});
}

}  // namespace render::gles
