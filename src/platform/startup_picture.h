// The start-up dialog's 350 × 98 picture, 16 colours, drawn in code: a dark band with a
// spray of beat bars and a turntable disc. The desktop's dialog and the page's start panel
// show the same one.
#pragma once

#include <cstdint>
#include <vector>

namespace platform {

constexpr int kStartupPictureWidth = 350;
constexpr int kStartupPictureHeight = 98;

// Rows top-down, three bytes (red, green, blue) a pixel, no padding.
std::vector<uint8_t> startupPicture();

}  // namespace platform
