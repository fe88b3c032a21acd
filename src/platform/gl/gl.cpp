#include "platform/gl/gl_api.h"

#ifndef TARVEL_GL_LAYER_ONLY
#include <GL/gl.h>
#include <GL/glext.h>
#include <GL/glu.h>
#endif

#include <cstring>

#include "platform/gles/entry_points.h"

namespace platform::gl {

namespace {

Renderer chosen = Renderer::Gl;

#ifndef TARVEL_GL_LAYER_ONLY
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
#endif

Api layerApi() {
    Api table;
#define TARVEL_GL_LAYER(ret, name, params, args) table.name = &::platform::gles::name;
    TARVEL_GL_CALLS(TARVEL_GL_LAYER)
    TARVEL_GLU_CALLS(TARVEL_GL_LAYER)
#undef TARVEL_GL_LAYER
    return table;
}

Api initialApi() {
#ifdef TARVEL_GL_LAYER_ONLY
    return layerApi();
#else
    return systemApi();
#endif
}

}  // namespace

Api api = initialApi();

void useRenderer(Renderer renderer) {
    chosen = renderer;
#ifdef TARVEL_GL_LAYER_ONLY
    api = layerApi();
#else
    api = renderer == Renderer::Gles ? layerApi() : systemApi();
#endif
}

void attachLayerToCurrentContext() {
    platform::gles::attachToCurrentContext();
}

Renderer currentRenderer() {
    return chosen;
}

void* layerProcAddress(const char* name) {
    if (name == nullptr) {
        return nullptr;
    }
    if (std::strcmp(name, "glActiveTextureARB") == 0 || std::strcmp(name, "glActiveTexture") == 0) {
        return reinterpret_cast<void*>(&platform::gles::ActiveTexture);
    }
    if (std::strcmp(name, "glMultiTexCoord2fARB") == 0 ||
        std::strcmp(name, "glMultiTexCoord2f") == 0) {
        return reinterpret_cast<void*>(&platform::gles::MultiTexCoord2f);
    }
    return nullptr;
}

}  // namespace platform::gl
