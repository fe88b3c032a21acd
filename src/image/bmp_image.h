// Reader of uncompressed 24-bit BMP files into packed RGB rows, in file order (for an
// ordinary BMP the bottom row comes first). Messages go to standard output.
#pragma once

#include <cstdio>
#include <memory>

#include "base/log.h"

class BMPImage {
public:
    static constexpr int kMaxSide = 16384;
    static constexpr long kMaxPixelBytes = 256L << 20;

    bool load(const char* path);
    // Reads from an open stream; `name` only labels the messages.
    bool loadFrom(FILE* file, const char* name);

    int width = 0;
    int height = 0;
    std::unique_ptr<unsigned char[]> data;  // width × height × 3 bytes, RGB

private:
    bool readPixels(FILE* file, const char* name);
};
