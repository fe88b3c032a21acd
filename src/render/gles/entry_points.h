// The GL ES 3.0 layer's GL 1.x entry points: the same names and parameters as the calls in
// render/gl/gl_calls.h, which fill the dispatch table when the layer draws. Include a GL
// or GL ES header before this one for the types.
#pragma once

#include <string>

#include "render/gl/gl_calls.h"

namespace render::gles {

#define TARVEL_GLES_DECLARE(ret, name, params, args) ret name params;
TARVEL_GL_CALLS(TARVEL_GLES_DECLARE)
TARVEL_GLU_CALLS(TARVEL_GLES_DECLARE)
#undef TARVEL_GLES_DECLARE

// Sets the layer up on the context current now (GL ES 3.0), at GL's initial state.
void attachToCurrentContext();

// Sends the calls the layer holds back (gathered draws and what goes with them) to the
// context, for code that then works on the context directly (a resolve, a framebuffer
// change); nothing without a context.
void playHeldBack();

// The framebuffer glReadPixels and glCopyTexImage2D read the picture from: 0 for the
// window's, else a framebuffer object's first colour attachment.
void setPictureFramebuffer(GLuint framebuffer);

// Remembers the state now; stateChangedSinceMark names the groups that differ from it.
void markState();
std::string stateChangedSinceMark();

}  // namespace render::gles
