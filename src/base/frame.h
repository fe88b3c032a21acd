// The one frame being drawn, as the show hands it down the draw: its show time, the time
// since the drawing layer's entry started, where the 4:3 picture lies in the window and the
// camera the cuts placed. Nothing below the show reads these from anywhere else, so a
// layer's picture depends on the frame it is given and on nothing left over.
#pragma once

#include "platform/pixel_rect.h"

class Camera;

using PixelRect = platform::PixelRect;

// The picture the show was composed for, alone in an output of its own size.
inline constexpr PixelRect kDesignPicture{0, 0, 800, 600};

struct Frame {
    double showTime = 0;
    // Show time since the entry of the layer being drawn started (the show time itself
    // for what is not on a timeline).
    double localTime = 0;
    // The picture in the window, past any bars: what the layers draw and capture.
    PixelRect screen = kDesignPicture;
    // The show's camera as the cuts placed it for this frame; none: the layers that look
    // through it draw from where the model-view leaves them.
    const Camera* camera = nullptr;

    // A frame at show time t with nothing else set (the design picture, no camera).
    static constexpr Frame at(double t) {
        Frame frame;
        frame.showTime = t;
        frame.localTime = t;
        return frame;
    }
    // The same frame for a layer whose entry started at `start`.
    constexpr Frame since(double start) const {
        Frame frame = *this;
        frame.localTime = showTime - start;
        return frame;
    }
};
