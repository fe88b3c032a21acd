// The GL 1.x entry points the show's drawing code calls, as one X-macro list:
// X(return type, name without its gl/glu prefix, parameters, arguments). The dispatch
// table, the system GL's entries and the GL ES layer's entries are all made from it.
#pragma once

// Types: those GL and GL ES share (GLdouble is GL's alone, hence `double`).
#define TARVEL_GL_CALLS(X)                                                                         \
    X(void, ActiveTexture, (GLenum unit), (unit))                                                  \
    X(void, Begin, (GLenum mode), (mode))                                                          \
    X(void, BindTexture, (GLenum target, GLuint name), (target, name))                             \
    X(void, Bitmap,                                                                                \
      (GLsizei width, GLsizei height, GLfloat xOrigin, GLfloat yOrigin, GLfloat xMove,             \
       GLfloat yMove, const GLubyte* bits),                                                        \
      (width, height, xOrigin, yOrigin, xMove, yMove, bits))                                       \
    X(void, BlendFunc, (GLenum source, GLenum destination), (source, destination))                 \
    X(void, CallList, (GLuint list), (list))                                                       \
    X(void, Clear, (GLbitfield mask), (mask))                                                      \
    X(void, ClearColor, (GLfloat r, GLfloat g, GLfloat b, GLfloat a), (r, g, b, a))                \
    X(void, Color3f, (GLfloat r, GLfloat g, GLfloat b), (r, g, b))                                 \
    X(void, Color4f, (GLfloat r, GLfloat g, GLfloat b, GLfloat a), (r, g, b, a))                   \
    X(void, ColorMask, (GLboolean r, GLboolean g, GLboolean b, GLboolean a), (r, g, b, a))         \
    X(void, CopyTexImage2D,                                                                        \
      (GLenum target, GLint level, GLenum format, GLint x, GLint y, GLsizei width, GLsizei height, \
       GLint border),                                                                              \
      (target, level, format, x, y, width, height, border))                                        \
    X(void, CullFace, (GLenum face), (face))                                                       \
    X(void, DeleteLists, (GLuint list, GLsizei range), (list, range))                              \
    X(void, DeleteTextures, (GLsizei count, const GLuint* names), (count, names))                  \
    X(void, DepthFunc, (GLenum func), (func))                                                      \
    X(void, DepthMask, (GLboolean on), (on))                                                       \
    X(void, Disable, (GLenum cap), (cap))                                                          \
    X(void, DrawArrays, (GLenum mode, GLint first, GLsizei count), (mode, first, count))           \
    X(void, Enable, (GLenum cap), (cap))                                                           \
    X(void, EnableClientState, (GLenum array), (array))                                            \
    X(void, End, (), ())                                                                           \
    X(void, EndList, (), ())                                                                       \
    X(void, Finish, (), ())                                                                        \
    X(void, Flush, (), ())                                                                         \
    X(GLuint, GenLists, (GLsizei range), (range))                                                  \
    X(void, GenTextures, (GLsizei count, GLuint * names), (count, names))                          \
    X(GLenum, GetError, (), ())                                                                    \
    X(void, GetFloatv, (GLenum name, GLfloat * values), (name, values))                            \
    X(void, GetIntegerv, (GLenum name, GLint * values), (name, values))                            \
    X(const GLubyte*, GetString, (GLenum name), (name))                                            \
    X(void, GetTexImage, (GLenum target, GLint level, GLenum format, GLenum type, void* pixels),   \
      (target, level, format, type, pixels))                                                       \
    X(void, GetTexLevelParameteriv, (GLenum target, GLint level, GLenum name, GLint * values),     \
      (target, level, name, values))                                                               \
    X(void, Hint, (GLenum target, GLenum mode), (target, mode))                                    \
    X(void, Lightfv, (GLenum light, GLenum name, const GLfloat* values), (light, name, values))    \
    X(void, LoadIdentity, (), ())                                                                  \
    X(void, LoadMatrixf, (const GLfloat* m), (m))                                                  \
    X(void, Materialf, (GLenum face, GLenum name, GLfloat value), (face, name, value))             \
    X(void, Materialfv, (GLenum face, GLenum name, const GLfloat* values), (face, name, values))   \
    X(void, MatrixMode, (GLenum mode), (mode))                                                     \
    X(void, MultMatrixf, (const GLfloat* m), (m))                                                  \
    X(void, MultiTexCoord2f, (GLenum unit, GLfloat s, GLfloat t), (unit, s, t))                    \
    X(void, NewList, (GLuint list, GLenum mode), (list, mode))                                     \
    X(void, Normal3fv, (const GLfloat* n), (n))                                                    \
    X(void, Ortho,                                                                                 \
      (double left, double right, double bottom, double top, double zNear, double zFar),           \
      (left, right, bottom, top, zNear, zFar))                                                     \
    X(void, PixelStorei, (GLenum name, GLint value), (name, value))                                \
    X(void, PopAttrib, (), ())                                                                     \
    X(void, PopClientAttrib, (), ())                                                               \
    X(void, PopMatrix, (), ())                                                                     \
    X(void, PushAttrib, (GLbitfield mask), (mask))                                                 \
    X(void, PushClientAttrib, (GLbitfield mask), (mask))                                           \
    X(void, PushMatrix, (), ())                                                                    \
    X(void, RasterPos3f, (GLfloat x, GLfloat y, GLfloat z), (x, y, z))                             \
    X(void, ReadBuffer, (GLenum buffer), (buffer))                                                 \
    X(void, ReadPixels,                                                                            \
      (GLint x, GLint y, GLsizei width, GLsizei height, GLenum format, GLenum type, void* pixels), \
      (x, y, width, height, format, type, pixels))                                                 \
    X(void, Rectf, (GLfloat x1, GLfloat y1, GLfloat x2, GLfloat y2), (x1, y1, x2, y2))             \
    X(void, Rotated, (double angle, double x, double y, double z), (angle, x, y, z))               \
    X(void, Scissor, (GLint x, GLint y, GLsizei width, GLsizei height), (x, y, width, height))     \
    X(void, StencilFunc, (GLenum func, GLint ref, GLuint mask), (func, ref, mask))                 \
    X(void, StencilOp, (GLenum fail, GLenum depthFail, GLenum pass), (fail, depthFail, pass))      \
    X(void, TexCoord2f, (GLfloat s, GLfloat t), (s, t))                                            \
    X(void, TexCoord2fv, (const GLfloat* st), (st))                                                \
    X(void, TexEnvf, (GLenum target, GLenum name, GLfloat value), (target, name, value))           \
    X(void, TexEnvi, (GLenum target, GLenum name, GLint value), (target, name, value))             \
    X(void, TexGenfv, (GLenum coord, GLenum name, const GLfloat* values), (coord, name, values))   \
    X(void, TexGeni, (GLenum coord, GLenum name, GLint value), (coord, name, value))               \
    X(void, TexImage2D,                                                                            \
      (GLenum target, GLint level, GLint internalFormat, GLsizei width, GLsizei height,            \
       GLint border, GLenum format, GLenum type, const void* pixels),                              \
      (target, level, internalFormat, width, height, border, format, type, pixels))                \
    X(void, TexParameteri, (GLenum target, GLenum name, GLint value), (target, name, value))       \
    X(void, Translated, (double x, double y, double z), (x, y, z))                                 \
    X(void, Translatef, (GLfloat x, GLfloat y, GLfloat z), (x, y, z))                              \
    X(void, Vertex3f, (GLfloat x, GLfloat y, GLfloat z), (x, y, z))                                \
    X(void, Vertex3fv, (const GLfloat* v), (v))                                                    \
    X(void, VertexPointer, (GLint size, GLenum type, GLsizei stride, const void* pointer),         \
      (size, type, stride, pointer))                                                               \
    X(void, Viewport, (GLint x, GLint y, GLsizei width, GLsizei height), (x, y, width, height))

// The two GLU helpers the show calls, listed apart because of their prefix.
#define TARVEL_GLU_CALLS(X)                                                                   \
    X(void, LookAt,                                                                           \
      (double eyeX, double eyeY, double eyeZ, double centerX, double centerY, double centerZ, \
       double upX, double upY, double upZ),                                                   \
      (eyeX, eyeY, eyeZ, centerX, centerY, centerZ, upX, upY, upZ))                           \
    X(void, Perspective, (double fovY, double aspect, double zNear, double zFar),             \
      (fovY, aspect, zNear, zFar))
