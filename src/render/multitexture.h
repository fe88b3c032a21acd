// Texture-unit selection and per-unit coordinates through the multitexture entry points the
// extension loader resolved, falling back to the core 1.3 functions before it has run.
#pragma once

#include "render/gl/gl.h"

#include "render/gl_entry_points.h"

inline void selectTextureUnit(GLenum unit) {
    if (glActiveTextureARBProc != nullptr) {
        glActiveTextureARBProc(unit);
    } else {
        glActiveTexture(unit);
    }
}

inline void unitTexCoord(GLenum unit, float s, float t) {
    if (glMultiTexCoord2fARBProc != nullptr) {
        glMultiTexCoord2fARBProc(unit, s, t);
    } else {
        glMultiTexCoord2f(unit, s, t);
    }
}
