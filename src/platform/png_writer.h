// Writes a still frame as an 8-bit RGB PNG.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// `rgb` holds `height` rows of width × 3 bytes, top row first.
bool writePng(const std::string& path, int width, int height, const std::vector<uint8_t>& rgb);

}  // namespace platform
