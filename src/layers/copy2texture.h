// Renders part of a frame into a square texture and draws that texture back over the
// whole window, so some layers can appear as a stretched or re-coloured copy.
#pragma once

#include <GL/gl.h>

class Copy2Texture {
public:
    static constexpr int kSize = 512;  // pixels, each side of the capture

    Copy2Texture();

    // The capture's corner of the window; the caller then draws what is to be captured.
    void setViewport();
    // Copies the corner into the texture, clears the buffers and restores the viewport.
    void capture();
    // offset crops the capture evenly on all sides; brightness and alpha colour it.
    void drawFullScreen(float offset, float brightness, float alpha);

    GLuint texture = 0;
    int size = kSize;
};
