// Reader of JPEG files into packed RGB rows through the decoder's properties record. Each
// row comes out mirrored left to right (the row is copied in reverse byte order).
#pragma once

#include <cstddef>
#include <memory>
#include <string>

#include "base/log.h"
#include "platform/jpeg.h"

class JPGImage {
public:
    bool load(const char* path);
    // The same from a byte block in memory (no log line, no file).
    bool loadFromMemory(const unsigned char* bytes, size_t size);

    platform::JpegProperties properties;
    int width = 0;
    int height = 0;
    std::unique_ptr<unsigned char[]> data;  // width × height × 3 bytes, RGB
    // Why the last load failed (Ok after a success); CannotOpen also for a file too large.
    platform::JpegResult result = platform::JpegResult::Ok;
    // The same in the words `tarvel --check` uses, for a file at `path` that load refused.
    std::string failure(const char* path) const;

private:
    bool decode();
    void chooseLayout();
    void reverseRows(const unsigned char* decoded, size_t stride);
};
