#include "platform/png_writer.h"

#include <png.h>

#include <cstdio>

#include "platform/pending_file.h"

namespace platform {

namespace {

// libpng reports a failure by longjmp back here, so the jump target sits in a function of its
// own whose only state after the jump is its return value.
bool encode(png_structp png, png_infop info, FILE* stream, int width, int height,
            const std::vector<uint8_t>& rgb) {
    if (setjmp(png_jmpbuf(png)) != 0) {
        return false;
    }
    png_init_io(png, stream);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < height; ++y) {
        png_write_row(png, const_cast<png_bytep>(rgb.data() + static_cast<size_t>(y) * width * 3));
    }
    png_write_end(png, nullptr);
    return true;
}

}  // namespace

bool writePng(const std::string& path, int width, int height, const std::vector<uint8_t>& rgb) {
    if (width <= 0 || height <= 0 || rgb.size() < static_cast<size_t>(width) * height * 3) {
        return false;
    }
    PendingFile file(path);
    std::string error;
    if (!file.open(error))
        return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    const bool ok = png && info && encode(png, info, file.stream(), width, height, rgb);
    png_destroy_write_struct(png ? &png : nullptr, info ? &info : nullptr);
    return ok && file.commit(error);
}

}  // namespace platform
