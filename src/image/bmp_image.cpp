#include "image/bmp_image.h"

#include <cstdint>
#include <new>

#include "base/log.h"
#include "platform/path.h"

namespace {

// The pixel array is always taken from here on, whatever the header's offset field says.
constexpr long kPixelStart = 54;

uint32_t readLittle32(const unsigned char* bytes) {
    return uint32_t{bytes[0]} | uint32_t{bytes[1]} << 8 | uint32_t{bytes[2]} << 16 |
           uint32_t{bytes[3]} << 24;
}

unsigned readLittle16(const unsigned char* bytes) {
    return bytes[0] | bytes[1] << 8;
}

long bytesLeft(FILE* file) {
    long here = std::ftell(file);
    if (here < 0 || std::fseek(file, 0, SEEK_END) != 0) {
        return -1;
    }
    long end = std::ftell(file);
    std::fseek(file, here, SEEK_SET);
    return end - here;
}

}  // namespace

bool BMPImage::load(const char* path) {
    if (!path) {
        return false;
    }
    logWindow->printStep("BMPImage::load() -- file: %s", path);
    FILE* file = platform::openFile(path, "rb");
    if (!file) {
        std::printf("File Not Found : %s\n", path);
        return false;
    }
    bool loaded = loadFrom(file, path);
    std::fclose(file);
    return loaded;
}

bool BMPImage::loadFrom(FILE* file, const char* name) {
    unsigned char header[kPixelStart];
    if (std::fread(header, 1, sizeof header, file) != sizeof header) {
        std::printf("Error reading image data from %s.\n", name);
        return false;
    }
    width = static_cast<int32_t>(readLittle32(header + 18));
    std::printf("Width of %s: %d\n", name, width);
    height = static_cast<int32_t>(readLittle32(header + 22));
    std::printf("Height of %s: %d\n", name, height);
    unsigned planes = readLittle16(header + 26);
    if (planes != 1) {
        std::printf("Planes from %s is not 1: %u\n", name, planes);
        return false;
    }
    unsigned bpp = readLittle16(header + 28);
    if (bpp != 24) {
        std::printf("Bpp from %s is not 24: %u\n", name, bpp);
        return false;
    }
    return readPixels(file, name);
}

// Rows in the file are padded to four bytes; `data` keeps them packed.
bool BMPImage::readPixels(FILE* file, const char* name) {
    bool sizeOk = width > 0 && height > 0 && width <= kMaxSide && height <= kMaxSide &&
                  long{width} * height * 3 <= kMaxPixelBytes;
    if (!sizeOk) {
        std::printf("Size of %s is not supported: %d x %d\n", name, width, height);
        return false;
    }
    long row = long{width} * 3;
    long stride = (row + 3) & ~3L;
    // The last row's padding may be missing without harm.
    long needed = stride * (height - 1) + row;
    if (bytesLeft(file) < needed) {
        std::printf("Error reading image data from %s.\n", name);
        return false;
    }
    std::unique_ptr<unsigned char[]> scratch(new (std::nothrow) unsigned char[needed]);
    data.reset(new (std::nothrow) unsigned char[row * height]);
    if (!scratch || !data || std::fread(scratch.get(), 1, needed, file) != size_t(needed)) {
        std::printf("Error reading image data from %s.\n", name);
        data.reset();
        return false;
    }
    for (long y = 0; y < height; ++y) {
        const unsigned char* from = scratch.get() + y * stride;
        unsigned char* to = data.get() + y * row;
        for (long x = 0; x < row; x += 3) {
            to[x] = from[x + 2];
            to[x + 1] = from[x + 1];
            to[x + 2] = from[x];
        }
    }
    return true;
}
