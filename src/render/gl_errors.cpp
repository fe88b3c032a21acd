#include "render/gl_errors.h"

#include <cxxabi.h>
#include "render/gl/gl.h"

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "base/layer.h"
#include "base/log.h"

#ifdef TARVEL_GL_CHECKS
namespace {

std::string readableTypeName(const char* mangled) {
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> name(
        abi::__cxa_demangle(mangled, nullptr, nullptr, &status), std::free);
    return status == 0 && name ? name.get() : mangled;
}

void reportOne(GLenum error, const char* where, double time) {
    // With the log on, its own lines reach the terminal already.
    if (!logEnabled) {
        std::fprintf(stderr, "tarvel: GL error 0x%04x after %s at show time %.3f\n", error, where,
                     time);
    }
    logWindow->print("GL error 0x%04x after %s at show time %.3f", error, where, time);
}

}  // namespace

void reportGlErrors(const char* where, double time) {
    // A bad call can queue several errors; each one is a report.
    for (GLenum error = glGetError(); error != GL_NO_ERROR; error = glGetError()) {
        reportOne(error, where, time);
    }
}

void markGlState() {
    render::gl::markState();
}

void reportGlStateChanges(const std::type_info& layer, double time) {
    const std::string changed = render::gl::stateChangedSinceMark();
    if (changed.empty()) {
        return;
    }
    const std::string name = readableTypeName(layer.name());
    if (!logEnabled) {
        std::fprintf(stderr, "tarvel: %s left GL state changed at show time %.3f: %s\n",
                     name.c_str(), time, changed.c_str());
    }
    logWindow->print("%s left GL state changed at show time %.3f: %s", name.c_str(), time,
                     changed.c_str());
}

void reportGlErrors(const std::type_info& layer, double time) {
    const GLenum first = glGetError();
    if (first == GL_NO_ERROR) {
        return;  // the usual case, every frame: no name is worked out
    }
    const std::string name = readableTypeName(layer.name());
    reportOne(first, name.c_str(), time);
    reportGlErrors(name.c_str(), time);
}
#endif

void GlLayerCheck::before(const Layer&) {
    markGlState();
}

void GlLayerCheck::after(const Layer& layer, double showTime) {
    reportGlErrors(typeid(layer), showTime);
    reportGlStateChanges(typeid(layer), showTime);
}
