#include "support/gl_state.h"

#include <cstring>
#include <sstream>

namespace testing_support {
namespace {

constexpr GLenum kEnables[10] = {GL_BLEND,          GL_TEXTURE_2D,   GL_DEPTH_TEST, GL_LIGHTING,
                                 GL_CULL_FACE,      GL_STENCIL_TEST, GL_LIGHT0,     GL_ALPHA_TEST,
                                 GL_COLOR_MATERIAL, GL_NORMALIZE};

}  // namespace

GlState GlState::capture() {
    GlState s;
    for (size_t i = 0; i < s.enables.size(); ++i) {
        s.enables[i] = glIsEnabled(kEnables[i]);
    }
    glGetIntegerv(GL_BLEND_SRC, &s.blendSrc);
    glGetIntegerv(GL_BLEND_DST, &s.blendDst);
    glGetFloatv(GL_MODELVIEW_MATRIX, s.modelview.data());
    glGetFloatv(GL_PROJECTION_MATRIX, s.projection.data());
    glGetFloatv(GL_TEXTURE_MATRIX, s.texture.data());
    glGetIntegerv(GL_MATRIX_MODE, &s.matrixMode);
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &s.boundTexture);
    glGetFloatv(GL_CURRENT_COLOR, s.color.data());
    glGetBooleanv(GL_DEPTH_WRITEMASK, &s.depthMask);
    glGetIntegerv(GL_DEPTH_FUNC, &s.depthFunc);
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &s.texEnvMode);
    glGetIntegerv(GL_VIEWPORT, s.viewport);
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &s.modelviewDepth);
    glGetIntegerv(GL_PROJECTION_STACK_DEPTH, &s.projectionDepth);
    glGetIntegerv(GL_ATTRIB_STACK_DEPTH, &s.attribDepth);
    return s;
}

bool GlState::operator==(const GlState& other) const {
    return differences(other).empty();
}

std::string GlState::differences(const GlState& o) const {
    std::ostringstream out;
    for (size_t i = 0; i < enables.size(); ++i) {
        if (enables[i] != o.enables[i])
            out << "enable[" << i << "] ";
    }
    if (blendSrc != o.blendSrc || blendDst != o.blendDst)
        out << "blend ";
    if (modelview != o.modelview)
        out << "modelview ";
    if (projection != o.projection)
        out << "projection ";
    if (texture != o.texture)
        out << "texture-matrix ";
    if (matrixMode != o.matrixMode)
        out << "matrix-mode ";
    if (boundTexture != o.boundTexture)
        out << "bound-texture ";
    if (color != o.color)
        out << "colour ";
    if (depthMask != o.depthMask)
        out << "depth-mask ";
    if (depthFunc != o.depthFunc)
        out << "depth-func ";
    if (texEnvMode != o.texEnvMode)
        out << "tex-env ";
    if (std::memcmp(viewport, o.viewport, sizeof viewport) != 0)
        out << "viewport ";
    if (modelviewDepth != o.modelviewDepth)
        out << "modelview-depth ";
    if (projectionDepth != o.projectionDepth)
        out << "projection-depth ";
    if (attribDepth != o.attribDepth)
        out << "attrib-depth ";
    return out.str();
}

}  // namespace testing_support
