// The extension entry points the drawing code calls. The shell's extension loader fills
// them in; until it has run they are null and callers fall back to the core functions.
#pragma once

#include "platform/gl/gl.h"

extern PFNGLACTIVETEXTUREARBPROC glActiveTextureARBProc;
extern PFNGLMULTITEXCOORD2FARBPROC glMultiTexCoord2fARBProc;
