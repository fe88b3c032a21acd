// A PNG file read into 8-bit RGB pixels, for the end-to-end helper tools.
#pragma once

#include <png.h>

#include <cstdint>
#include <vector>

struct PngPixels {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;
};

inline bool readPng(const char* path, PngPixels& image) {
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&png, path))
        return false;
    png.format = PNG_FORMAT_RGB;
    image.width = static_cast<int>(png.width);
    image.height = static_cast<int>(png.height);
    image.rgb.resize(PNG_IMAGE_SIZE(png));
    return png_image_finish_read(&png, nullptr, image.rgb.data(), 0, nullptr) != 0;
}
