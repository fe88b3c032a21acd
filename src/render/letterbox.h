// The show's 4:3 picture in an output of any size (a window, a desktop, a recorded frame):
// as large as fits, centred, the rest black bars. Pixels, origin at the bottom left as GL
// counts it.
#pragma once

#include "platform/pixel_rect.h"

using PixelRect = platform::PixelRect;

class Letterbox {
public:
    // The picture the show was composed for; pixel sizes in layers are given at this height.
    static constexpr int kDesignWidth = 800;
    static constexpr int kDesignHeight = 600;

    Letterbox(int outputWidth, int outputHeight);

    int outputWidth() const { return outputWidth_; }
    int outputHeight() const { return outputHeight_; }
    const PixelRect& picture() const { return picture_; }

    // The picture becomes the screen every layer draws in: the screen's size and corner,
    // and the viewport.
    void apply() const;
    // Paints what lies outside the picture black, whatever the frame drew there.
    void clearBars() const;

private:
    int outputWidth_;
    int outputHeight_;
    PixelRect picture_;
};

// A length given in pixels of the 800 × 600 picture, at the current screen's height.
int scaledPixels(int designPixels);
