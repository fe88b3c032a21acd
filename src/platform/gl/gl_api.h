// The table every GL call of the drawing code goes through, and the choice of what fills
// it: the system's fixed-function GL, or our GL ES 3.0 layer (`--renderer gles`).
#pragma once

#ifdef TARVEL_GL_LAYER_ONLY
#include <GLES3/gl3.h>
#else
#include <GL/gl.h>
#endif

#include "platform/gl/gl_calls.h"

namespace platform::gl {

#define TARVEL_GL_SLOT(ret, name, params, args) ret(*name) params = nullptr;
struct Api {
    TARVEL_GL_CALLS(TARVEL_GL_SLOT)
    TARVEL_GLU_CALLS(TARVEL_GL_SLOT)
};
#undef TARVEL_GL_SLOT

extern Api api;

enum class Renderer { Gl, Gles };

// Fills the table with the system's GL or the layer's entry points.
void useRenderer(Renderer renderer);
// Sets the layer up on the GL ES 3.0 context current now, at GL's initial state (once for
// each new context, before the layer draws).
void attachLayerToCurrentContext();
Renderer currentRenderer();

// The layer's own entry point for a GL name (the extension loader asks for these when the
// layer draws), or null.
void* layerProcAddress(const char* name);

}  // namespace platform::gl
