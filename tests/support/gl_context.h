// The GL tests' window: one real 800 × 600 window with the show's pixel format, made
// current before the first test (under Xvfb when ctest runs them).
#pragma once

#include <GL/gl.h>

#include <cstdint>
#include <vector>

namespace testing_support {

// Clears colour, depth and stencil to zero and resets the matrices to identity.
void resetFrame();

// RGBA of one pixel of the back buffer, window coordinates (origin bottom left).
struct Pixel {
    int r, g, b, a;
};
Pixel readPixel(int x, int y);
uint8_t readStencil(int x, int y);

}  // namespace testing_support
