// The table every GL call of the drawing code goes through, and the choice of what fills
// it: the system's fixed-function GL, or our GL ES 3.0 layer (`--renderer gles`).
#pragma once

#ifdef TARVEL_GL_LAYER_ONLY
#include <GLES3/gl3.h>
#else
#include <GL/gl.h>
#endif

#include <string>

#include "render/gl/gl_calls.h"

namespace render::gl {

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

// The layer's record of GL's state makes a cheap check that a drawing step leaves the state
// as it found it: markState before the step, and stateChangedSinceMark after it names the
// groups that differ ("" when none, and always "" when the system's GL draws).
void markState();
std::string stateChangedSinceMark();

// A GL procedure for the extension loader: the layer's own when the layer draws, else the
// driver's.
void* procAddress(const char* name);
// The layer's own entry point for a GL name, or null.
void* layerProcAddress(const char* name);

}  // namespace render::gl
