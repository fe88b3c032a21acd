// Baseline JPEG encoding of a Canvas with libjpeg-turbo, in memory, the same bytes every time.
#pragma once

#include <cstdint>
#include <vector>

#include <string>

#include "vintra-gen/output_directory.h"
#include "vintra-gen/pictures/canvas.h"

namespace gen {

class JpegEncoder {
public:
    static constexpr int kDefaultQuality = 85;

    // Encodes 8-bit RGB rows (top row first); empty on failure.
    static std::vector<uint8_t> encode(const std::vector<uint8_t>& rgb, int width, int height,
                                       int quality = kDefaultQuality);
    static std::vector<uint8_t> encode(const Canvas& canvas, int quality = kDefaultQuality);
    // Encodes and writes one picture; failures are recorded in `out`.
    static bool write(OutputDirectory& out, const std::string& path, const Canvas& canvas);
};

}  // namespace gen
