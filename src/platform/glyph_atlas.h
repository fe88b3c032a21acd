// A font's glyphs rendered once, large, on the desktop and stored in a file, for the page,
// which has no font library: any smaller size is scaled down from them.
#pragma once

#include <string>
#include <vector>

#include "platform/font.h"

namespace platform {

struct GlyphAtlas {
    static constexpr int kFirstCharacter = 32;
    static constexpr int kCount = 96;  // ' ' up to DEL

    int pixelHeight = 0;
    std::string faceName;
    std::vector<Glyph> glyphs;  // kCount of them, from kFirstCharacter

    bool write(const std::string& path) const;
    // False when the file is missing, cut short or not an atlas.
    bool read(const std::string& path);
    // `character` at `pixelHeight`, each pixel set where the atlas glyph covers at least
    // half of it; an empty glyph for characters the atlas lacks.
    Glyph scaled(unsigned char character, int pixelHeight) const;
};

}  // namespace platform
