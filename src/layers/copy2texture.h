// Renders part of a frame into a square texture and draws that texture back over the
// whole window, so some layers can appear as a stretched or re-coloured copy.
#pragma once

#include <GL/gl.h>

#include "base/gl_state.h"

class Copy2Texture {
public:
    static constexpr int kSize = 512;  // pixels, each side of the capture

    Copy2Texture();

    // For the scope's life the capture's corner of the window is the viewport, for the
    // caller to draw what is to be captured; at its end the corner is copied into the
    // texture, the buffers are cleared and the caller's viewport is back.
    class CaptureScope {
    public:
        explicit CaptureScope(Copy2Texture& target) : target_(target) { target_.setViewport(); }
        ~CaptureScope() { target_.capture(); }
        CaptureScope(const CaptureScope&) = delete;
        CaptureScope& operator=(const CaptureScope&) = delete;

    private:
        ViewportScope callersViewport_;
        Copy2Texture& target_;
    };

    // The capture's corner of the window as the viewport.
    void setViewport();
    // Copies the corner into the texture and clears the buffers; the viewport stays.
    void capture();
    // offset crops the capture evenly on all sides; brightness and alpha colour it.
    void drawFullScreen(float offset, float brightness, float alpha);

    GLuint texture = 0;
    int size = kSize;
};
