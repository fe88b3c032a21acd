#include "platform/gl/gl_api.h"

#include <GL/gl.h>
#include <GL/glext.h>
#include <GL/glu.h>

#include <cstring>

namespace platform::gl {

namespace {

Renderer chosen = Renderer::Gl;

Api systemApi() {
    Api table;
#define TARVEL_GL_SYSTEM(ret, name, params, args) table.name = &::gl##name;
#define TARVEL_GLU_SYSTEM(ret, name, params, args) table.name = &::glu##name;
    TARVEL_GL_CALLS(TARVEL_GL_SYSTEM)
    TARVEL_GLU_CALLS(TARVEL_GLU_SYSTEM)
#undef TARVEL_GL_SYSTEM
#undef TARVEL_GLU_SYSTEM
    return table;
}

Api initialApi() {
    return systemApi();
}

}  // namespace

Api api = initialApi();

void useRenderer(Renderer renderer) {
    chosen = renderer;
    api = systemApi();
}

Renderer currentRenderer() {
    return chosen;
}

void* layerProcAddress(const char*) {
    return nullptr;
}

}  // namespace platform::gl
