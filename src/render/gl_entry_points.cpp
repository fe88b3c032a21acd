#include "render/gl_entry_points.h"

PFNGLACTIVETEXTUREARBPROC glActiveTextureARBProc = nullptr;
PFNGLMULTITEXCOORD2FARBPROC glMultiTexCoord2fARBProc = nullptr;
bool stencilWrapAvailable = false;
