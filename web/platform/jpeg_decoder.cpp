// JPEG pictures in the browser: stb_image from Emscripten's own library cache decodes
// them, so the page needs no JPEG library built for it. stb_image accepts a picture cut
// short, so a file that does not end with its end-of-image marker counts as damaged here,
// as libjpeg's warnings do on the desktop.
#include <stb_image.h>

#include <algorithm>
#include <cstdint>

#include "platform/jpeg_decoder.h"

namespace platform::jpeg_decoder {
namespace {

// Room for padding some writers leave after the end-of-image marker.
constexpr size_t kTrailingBytes = 1024;

bool startsAsJpeg(const unsigned char* bytes, size_t size) {
    return size >= 4 && bytes[0] == 0xFF && bytes[1] == 0xD8;
}

bool endsAsJpeg(const unsigned char* bytes, size_t size) {
    const size_t from = size > kTrailingBytes ? size - kTrailingBytes : 0;
    for (size_t i = size - 1; i > from; --i) {
        if (bytes[i - 1] == 0xFF && bytes[i] == 0xD9)
            return true;
    }
    return false;
}

int lengthOf(size_t size) {
    return static_cast<int>(std::min<size_t>(size, INT32_MAX));
}

JpegColor colorOf(int channels) {
    switch (channels) {
        case 1:
            return JpegColor::Grey;
        case 3:
            return JpegColor::YCbCr;
        default:
            return JpegColor::Other;
    }
}

// The channel count stb_image should deliver for the DIB's colour kind; 0 when it cannot.
int deliveredChannels(const JpegProperties& p) {
    switch (p.dibColor) {
        case JpegColor::Bgr:
            return 3;
        case JpegColor::Grey:
            return 1;
        case JpegColor::Other:
            return p.jpgChannels;
        default:
            return 0;  // stb_image converts to RGB always; raw YCbCr is not to be had
    }
}

void copyRows(const unsigned char* pixels, JpegProperties& p) {
    const size_t stride = static_cast<size_t>(p.dibWidth) * p.dibChannels + p.dibPadBytes;
    const size_t row = static_cast<size_t>(p.dibWidth) * p.dibChannels;
    for (int y = 0; y < p.dibHeight; ++y) {
        const unsigned char* from = pixels + row * y;
        unsigned char* to = p.dibBytes + stride * y;
        std::copy_n(from, row, to);
        if (p.dibColor == JpegColor::Bgr) {
            for (size_t x = 0; x < row; x += 3)
                std::swap(to[x], to[x + 2]);
        }
    }
}

}  // namespace

bool readHeader(const unsigned char* bytes, size_t size, JpegProperties& p, JpegColor& color) {
    int width = 0;
    int height = 0;
    int channels = 0;
    if (!startsAsJpeg(bytes, size) || !endsAsJpeg(bytes, size) ||
        !stbi_info_from_memory(bytes, lengthOf(size), &width, &height, &channels))
        return false;
    p.jpgWidth = width;
    p.jpgHeight = height;
    p.jpgChannels = channels;
    color = colorOf(channels);
    return true;
}

JpegResult readRows(const unsigned char* bytes, size_t size, JpegProperties& p) {
    const int wanted = deliveredChannels(p);
    if (wanted == 0 || wanted != p.dibChannels)
        return JpegResult::Unsupported;
    int width = 0;
    int height = 0;
    int stored = 0;
    unsigned char* pixels =
        stbi_load_from_memory(bytes, lengthOf(size), &width, &height, &stored, wanted);
    if (!pixels)
        return JpegResult::Corrupt;
    copyRows(pixels, p);
    stbi_image_free(pixels);
    return JpegResult::Ok;
}

}  // namespace platform::jpeg_decoder
