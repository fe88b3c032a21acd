// The one GL header of the drawing code: GL's names, types and constants, with every call
// the show makes dispatched at run time through render::gl::api, to the system's
// fixed-function GL or to our GL ES 3.0 layer. The loaders' way: the GL names are macros.
#pragma once

#ifdef TARVEL_GL_LAYER_ONLY
// The portable build has no desktop GL: GL ES names, and GL 1.x's from the layer.
#include <GLES3/gl3.h>

#include "render/gles/legacy_names.h"
#else
#include <GL/gl.h>
#include <GL/glext.h>
#include <GL/glu.h>
#endif

#include "render/gl/gl_api.h"

#define TARVEL_GL_ENTRY(name) ::render::gl::api.name
#define glActiveTexture TARVEL_GL_ENTRY(ActiveTexture)
#define glBegin TARVEL_GL_ENTRY(Begin)
#define glBindTexture TARVEL_GL_ENTRY(BindTexture)
#define glBitmap TARVEL_GL_ENTRY(Bitmap)
#define glBlendFunc TARVEL_GL_ENTRY(BlendFunc)
#define glCallList TARVEL_GL_ENTRY(CallList)
#define glClear TARVEL_GL_ENTRY(Clear)
#define glClearColor TARVEL_GL_ENTRY(ClearColor)
#define glColor3f TARVEL_GL_ENTRY(Color3f)
#define glColor4f TARVEL_GL_ENTRY(Color4f)
#define glColorMask TARVEL_GL_ENTRY(ColorMask)
#define glCopyTexImage2D TARVEL_GL_ENTRY(CopyTexImage2D)
#define glCullFace TARVEL_GL_ENTRY(CullFace)
#define glDeleteLists TARVEL_GL_ENTRY(DeleteLists)
#define glDeleteTextures TARVEL_GL_ENTRY(DeleteTextures)
#define glDepthFunc TARVEL_GL_ENTRY(DepthFunc)
#define glDepthMask TARVEL_GL_ENTRY(DepthMask)
#define glDisable TARVEL_GL_ENTRY(Disable)
#define glDrawArrays TARVEL_GL_ENTRY(DrawArrays)
#define glEnable TARVEL_GL_ENTRY(Enable)
#define glEnableClientState TARVEL_GL_ENTRY(EnableClientState)
#define glEnd TARVEL_GL_ENTRY(End)
#define glEndList TARVEL_GL_ENTRY(EndList)
#define glFinish TARVEL_GL_ENTRY(Finish)
#define glFlush TARVEL_GL_ENTRY(Flush)
#define glGenLists TARVEL_GL_ENTRY(GenLists)
#define glGenTextures TARVEL_GL_ENTRY(GenTextures)
#define glGetError TARVEL_GL_ENTRY(GetError)
#define glGetFloatv TARVEL_GL_ENTRY(GetFloatv)
#define glGetIntegerv TARVEL_GL_ENTRY(GetIntegerv)
#define glGetString TARVEL_GL_ENTRY(GetString)
#define glGetTexImage TARVEL_GL_ENTRY(GetTexImage)
#define glGetTexLevelParameteriv TARVEL_GL_ENTRY(GetTexLevelParameteriv)
#define glHint TARVEL_GL_ENTRY(Hint)
#define glLightfv TARVEL_GL_ENTRY(Lightfv)
#define glLoadIdentity TARVEL_GL_ENTRY(LoadIdentity)
#define glLoadMatrixf TARVEL_GL_ENTRY(LoadMatrixf)
#define glMaterialf TARVEL_GL_ENTRY(Materialf)
#define glMaterialfv TARVEL_GL_ENTRY(Materialfv)
#define glMatrixMode TARVEL_GL_ENTRY(MatrixMode)
#define glMultMatrixf TARVEL_GL_ENTRY(MultMatrixf)
#define glMultiTexCoord2f TARVEL_GL_ENTRY(MultiTexCoord2f)
#define glNewList TARVEL_GL_ENTRY(NewList)
#define glNormal3fv TARVEL_GL_ENTRY(Normal3fv)
#define glOrtho TARVEL_GL_ENTRY(Ortho)
#define glPixelStorei TARVEL_GL_ENTRY(PixelStorei)
#define glPopAttrib TARVEL_GL_ENTRY(PopAttrib)
#define glPopClientAttrib TARVEL_GL_ENTRY(PopClientAttrib)
#define glPopMatrix TARVEL_GL_ENTRY(PopMatrix)
#define glPushAttrib TARVEL_GL_ENTRY(PushAttrib)
#define glPushClientAttrib TARVEL_GL_ENTRY(PushClientAttrib)
#define glPushMatrix TARVEL_GL_ENTRY(PushMatrix)
#define glRasterPos3f TARVEL_GL_ENTRY(RasterPos3f)
#define glReadBuffer TARVEL_GL_ENTRY(ReadBuffer)
#define glReadPixels TARVEL_GL_ENTRY(ReadPixels)
#define glRectf TARVEL_GL_ENTRY(Rectf)
#define glRotated TARVEL_GL_ENTRY(Rotated)
#define glScissor TARVEL_GL_ENTRY(Scissor)
#define glStencilFunc TARVEL_GL_ENTRY(StencilFunc)
#define glStencilOp TARVEL_GL_ENTRY(StencilOp)
#define glTexCoord2f TARVEL_GL_ENTRY(TexCoord2f)
#define glTexCoord2fv TARVEL_GL_ENTRY(TexCoord2fv)
#define glTexEnvf TARVEL_GL_ENTRY(TexEnvf)
#define glTexEnvi TARVEL_GL_ENTRY(TexEnvi)
#define glTexGenfv TARVEL_GL_ENTRY(TexGenfv)
#define glTexGeni TARVEL_GL_ENTRY(TexGeni)
#define glTexImage2D TARVEL_GL_ENTRY(TexImage2D)
#define glTexParameteri TARVEL_GL_ENTRY(TexParameteri)
#define glTranslated TARVEL_GL_ENTRY(Translated)
#define glTranslatef TARVEL_GL_ENTRY(Translatef)
#define glVertex3f TARVEL_GL_ENTRY(Vertex3f)
#define glVertex3fv TARVEL_GL_ENTRY(Vertex3fv)
#define glVertexPointer TARVEL_GL_ENTRY(VertexPointer)
#define glViewport TARVEL_GL_ENTRY(Viewport)
#define gluLookAt TARVEL_GL_ENTRY(LookAt)
#define gluPerspective TARVEL_GL_ENTRY(Perspective)
