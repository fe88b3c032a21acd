#include "image/jpg_image.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <new>
#include <string>

#include "base/log.h"
#include "platform/path.h"

bool JPGImage::load(const char* path) {
    if (!path) {
        return false;
    }
    logWindow->printStep("JPGImage::load() -- file: %s", path);
    // Read once: the decoder would otherwise open the file for its header and again for
    // the picture. A file larger than the most pixels a picture may have is no picture.
    std::string bytes;
    if (!platform::readFile(path, bytes, platform::JpegProperties::kMaxPixelBytes)) {
        result = platform::JpegResult::CannotOpen;
        return false;
    }
    return loadFromMemory(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
}

std::string JPGImage::failure(const char* path) const {
    if (result != platform::JpegResult::CannotOpen) {
        return std::string("does not decode as a JPEG: ") + platform::jpegResultText(result);
    }
    // A file that opens was refused for its size, before it was read in.
    if (FILE* file = path ? platform::openFile(path, "rb") : nullptr) {
        std::fclose(file);
        return "larger than any picture the show reads";
    }
    return "cannot be read";
}

bool JPGImage::loadFromMemory(const unsigned char* bytes, size_t size) {
    properties = platform::JpegProperties{};
    properties.jpgBytes = bytes;
    properties.jpgSizeBytes = size;
    return bytes != nullptr && decode();
}

bool JPGImage::decode() {
    result = platform::readJpegHeader(properties);
    if (result != platform::JpegResult::Ok) {
        return false;
    }
    chooseLayout();
    size_t stride = size_t(properties.dibWidth) * 3 + properties.dibPadBytes;
    std::unique_ptr<unsigned char[]> decoded(
        new (std::nothrow) unsigned char[stride * properties.dibHeight]);
    if (!decoded) {
        logWindow->showMessage("malloc error JPGImage, load", "MALLOC ERROR");
        return false;
    }
    properties.dibBytes = decoded.get();
    result = platform::readJpegImage(properties);
    properties.dibBytes = nullptr;
    if (result != platform::JpegResult::Ok) {
        return false;
    }
    width = properties.dibWidth;
    height = properties.dibHeight;
    data.reset(new (std::nothrow) unsigned char[size_t(width) * height * 3]);
    if (!data) {
        logWindow->showMessage("malloc error JPGImage, load", "MALLOC ERROR");
        return false;
    }
    reverseRows(decoded.get(), stride);
    return true;
}

// Grey and YCbCr files become blue-green-red rows; anything else is copied unconverted.
void JPGImage::chooseLayout() {
    switch (properties.jpgChannels) {
        case 1:
            properties.jpgColor = platform::JpegColor::Grey;
            break;
        case 3:
            properties.jpgColor = platform::JpegColor::YCbCr;
            break;
        default:
            properties.jpgColor = platform::JpegColor::Other;
            properties.dibColor = platform::JpegColor::Other;
            break;
    }
    properties.dibWidth = properties.jpgWidth;
    properties.dibHeight = properties.jpgHeight;
    properties.dibChannels = 3;
    int row = properties.dibWidth * 3;
    properties.dibPadBytes = ((row + 3) & ~3) - row;
}

// Reversing the bytes of a row turns blue-green-red into red-green-blue and mirrors it.
// Eight bytes at a time: start-up decodes dozens of pictures.
void JPGImage::reverseRows(const unsigned char* decoded, size_t stride) {
    const size_t row = size_t(width) * 3;
    for (int y = 0; y < height; ++y) {
        const unsigned char* from = decoded + stride * y;
        unsigned char* to = data.get() + row * y;
        size_t i = 0;
        for (; i + 8 <= row; i += 8) {
            uint64_t chunk;
            std::memcpy(&chunk, from + row - 8 - i, 8);
            chunk = __builtin_bswap64(chunk);
            std::memcpy(to + i, &chunk, 8);
        }
        for (; i < row; ++i) {
            to[i] = from[row - 1 - i];
        }
    }
}
