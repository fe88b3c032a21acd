// A rectangle of pixels counted from the bottom left corner, as GL counts them: the show's
// picture in a window or a recorded frame, the part of a recorded frame that changes.
#pragma once

namespace platform {

struct PixelRect {
    int left = 0;
    int bottom = 0;
    int width = 0;
    int height = 0;
};

}  // namespace platform
