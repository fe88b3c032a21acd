// What the shell's extension loader found that the drawing code asks about. (Multitexture
// calls go through the dispatch table, render/gl/gl.h, like every other GL call.)
#pragma once

// GL_INCR_WRAP and GL_DECR_WRAP may be used (core 1.4 or GL_EXT_stencil_wrap); false until
// the loader has run.
extern bool stencilWrapAvailable;
