// Both ways of drawing: a scene drawn through the system's fixed-function GL in the test
// window, then through our GL layer in a GL ES 3.0 window of the same size, and the two
// read-backs compared as the reference frames of the two renderers are.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace platform {
class Window;
}

namespace testing_support {

// The GL tests' window (a compatibility context), made by the GL test program.
platform::Window& testWindow();
void destroyLayerWindow();

struct Picture {
    int width = 0, height = 0;
    std::vector<uint8_t> rgba;  // bottom row first
    // The share of pixels that are not black.
    double litShare() const;
};

struct Comparison {
    double decibels = 0;    // PSNR over the picture, colour channels
    double worstBlock = 0;  // mean difference of the worst 5 × 5 block, 0–255
    int worstX = 0, worstY = 0;
    // The frames' bar: 40 dB, no block off by more than 8/255 on average.
    bool same() const { return decibels >= 40 && worstBlock <= 8; }
    std::string describe() const;
};

struct BothWays {
    Picture gl, gles;
    Comparison comparison() const;
};

// Runs `scene` from a cleared width × height viewport with identity matrices and a white
// current colour, once per renderer, and reads both pictures back. The system GL is
// current again afterwards.
BothWays drawBothWays(const std::function<void()>& scene, int width = 96, int height = 96);

}  // namespace testing_support
