// The square of half-size 1 that sprites, flashes and frame animations draw in eye space,
// corners from the bottom left counter-clockwise. Upright maps s = (1 + x) / 2; the tag
// sprites' mapping is mirrored left to right, s = (1 − x) / 2. Both map t = (1 − y) / 2.
#pragma once

#include "render/gl/gl.h"

#include "render/gl_state.h"

enum class QuadMapping { Upright, Mirrored };

// The state every eye-space sprite draws in, for the scope's life: all attributes saved, no
// lighting, depth test or culling, textured and blended with the given pair, the model-view
// saved and reset (sprites ignore the camera; the current projection applies).
class SpriteScope {
public:
    SpriteScope(GLenum blendSource, GLenum blendDestination) {
        glDisable(GL_LIGHTING);
        glDisable(GL_DEPTH_TEST);
        glDisable(GL_CULL_FACE);
        glEnable(GL_BLEND);
        glEnable(GL_TEXTURE_2D);
        glBlendFunc(blendSource, blendDestination);
        glLoadIdentity();
    }

private:
    SavedState saved_;
};

inline void drawUnitQuad(QuadMapping mapping) {
    const float left = mapping == QuadMapping::Upright ? 0.0f : 1.0f;
    const float right = 1.0f - left;
    glBegin(GL_QUADS);
    glTexCoord2f(left, 1);
    glVertex3f(-1, -1, 0);
    glTexCoord2f(right, 1);
    glVertex3f(1, -1, 0);
    glTexCoord2f(right, 0);
    glVertex3f(1, 1, 0);
    glTexCoord2f(left, 0);
    glVertex3f(-1, 1, 0);
    glEnd();
}
