// Renders part of a frame into a square texture and draws that texture back over the
// whole window, so some layers can appear as a stretched or re-coloured copy.
#pragma once

#include "render/gl/gl.h"

#include "base/frame.h"
#include "render/gl_state.h"

class Copy2Texture {
public:
    static constexpr int kSize = 512;  // pixels, each side of the capture at 600 lines

    Copy2Texture();

    // Each side of the capture for a picture of that height: the 800 × 600 picture's 512
    // grown with it to the next power of two (1024 at 1080 lines, 2048 at 2160), or just
    // in proportion where that would not fit the picture. The overlays stay as sharp.
    static int sizeFor(int pictureHeight);

    // For the scope's life the capture's corner of the screen is the viewport, for the
    // caller to draw what is to be captured; at its end the corner is copied into the
    // texture, the buffers are cleared and the caller's viewport is back.
    class CaptureScope {
    public:
        CaptureScope(Copy2Texture& target, const PixelRect& screen)
            : target_(target), screen_(screen) {
            target_.setViewport(screen_);
        }
        ~CaptureScope() { target_.capture(screen_); }
        CaptureScope(const CaptureScope&) = delete;
        CaptureScope& operator=(const CaptureScope&) = delete;

    private:
        ViewportScope callersViewport_;
        Copy2Texture& target_;
        PixelRect screen_;
    };

    // The capture's corner of the screen (the picture in the window) as the viewport, sized
    // for the screen's height.
    void setViewport(const PixelRect& screen);
    // Copies the screen's corner into the texture and clears the buffers; the viewport stays.
    void capture(const PixelRect& screen);
    // offset crops the capture evenly on all sides; brightness and alpha colour it. Black
    // before the first capture.
    void drawFullScreen(float offset, float brightness, float alpha);
    // Gives the texture's pixels back until the next capture (16 MB at 2160 lines): for a
    // capture that only part of the show uses.
    void release();

    GLuint texture = 0;
    int size = kSize;

private:
    void defineBlack();
    bool defined = false;  // the texture has pixels: black or a capture
};
