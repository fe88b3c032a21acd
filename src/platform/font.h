// Bitmap glyphs for the text overlay: fontconfig resolves the face, FreeType renders each
// character at a pixel character height into a 1-bit bitmap ready for glBitmap.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace platform {

struct Glyph {
    int width = 0;   // pixels
    int height = 0;  // pixels
    float xOrigin = 0;
    float yOrigin = 0;
    float advance = 0;            // pixels the raster position moves on
    std::vector<uint8_t> bitmap;  // rows bottom-up, 1 bit per pixel, MSB first, byte-aligned rows
};

class BitmapFont {
public:
    BitmapFont();
    ~BitmapFont();

    // Finds `family` (bold if asked); falls back to any monospaced face. False only when no
    // face at all could be loaded.
    bool open(const std::string& family, bool bold, int pixelHeight);

    // True when the face found is the one asked for or its metric-compatible stand-in.
    bool exactMatch() const { return exact_; }
    const std::string& faceName() const { return faceName_; }

    Glyph render(unsigned char character) const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
    bool exact_ = false;
    std::string faceName_;
};

}  // namespace platform
