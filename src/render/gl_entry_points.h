// The extension entry points the drawing code calls. The shell's extension loader fills
// them in; until it has run they are null and callers fall back to the core functions.
#pragma once

#include "render/gl/gl.h"

extern PFNGLACTIVETEXTUREARBPROC glActiveTextureARBProc;
extern PFNGLMULTITEXCOORD2FARBPROC glMultiTexCoord2fARBProc;
// GL_INCR_WRAP and GL_DECR_WRAP may be used (core 1.4 or GL_EXT_stencil_wrap).
extern bool stencilWrapAvailable;
