#include "render/gl/gl_api.h"

#ifndef TARVEL_GL_LAYER_ONLY
#include <GL/gl.h>
#include <GL/glext.h>
#include <GL/glu.h>
#endif

#include <cstring>

#include "platform/window.h"
#include "render/gles/entry_points.h"

namespace render::gl {

namespace {

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
#define TARVEL_GL_LAYER(ret, name, params, args) table.name = &::render::gles::name;
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
#ifdef TARVEL_GL_LAYER_ONLY
    // The layer is all there is.
    (void)renderer;
    api = layerApi();
#else
    api = renderer == Renderer::Gles ? layerApi() : systemApi();
#endif
}

void attachLayerToCurrentContext() {
    render::gles::attachToCurrentContext();
}

// The table says which renderer fills it.
Renderer currentRenderer() {
    return api.Begin == &::render::gles::Begin ? Renderer::Gles : Renderer::Gl;
}

void markState() {
    if (currentRenderer() == Renderer::Gles) {
        render::gles::markState();
    }
}

std::string stateChangedSinceMark() {
    return currentRenderer() == Renderer::Gles ? render::gles::stateChangedSinceMark()
                                               : std::string();
}

void* procAddress(const char* name) {
#ifndef TARVEL_GL_LAYER_ONLY
    // Drawing through the layer, its own entry points stand in for the driver's.
    if (currentRenderer() == Renderer::Gles) {
        return layerProcAddress(name);
    }
#endif
    return platform::glProcAddress(name);
}

void* layerProcAddress(const char* name) {
    if (name == nullptr) {
        return nullptr;
    }
    if (std::strcmp(name, "glActiveTextureARB") == 0 || std::strcmp(name, "glActiveTexture") == 0) {
        return reinterpret_cast<void*>(&render::gles::ActiveTexture);
    }
    if (std::strcmp(name, "glMultiTexCoord2fARB") == 0 ||
        std::strcmp(name, "glMultiTexCoord2f") == 0) {
        return reinterpret_cast<void*>(&render::gles::MultiTexCoord2f);
    }
    return nullptr;
}

}  // namespace render::gl
