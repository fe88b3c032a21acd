// glyph-atlas FILE: renders the show's bitmap font large with the desktop's FreeType and
// writes it as an atlas for the browser build, which has no font library of its own.
#include <cstdio>

#include "platform/font.h"
#include "platform/glyph_atlas.h"

namespace {

// Large enough that every size a page asks for is a scaling down.
constexpr int kAtlasPixelHeight = 72;

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: glyph-atlas FILE\n");
        return 2;
    }
    platform::BitmapFont font;
    if (!font.open("Courier New", true, kAtlasPixelHeight)) {
        std::fprintf(stderr, "glyph-atlas: no font could be loaded\n");
        return 1;
    }
    platform::GlyphAtlas atlas;
    atlas.pixelHeight = kAtlasPixelHeight;
    atlas.faceName = font.faceName();
    for (int i = 0; i < platform::GlyphAtlas::kCount; ++i)
        atlas.glyphs.push_back(
            font.render(static_cast<unsigned char>(platform::GlyphAtlas::kFirstCharacter + i)));
    if (!atlas.write(argv[1])) {
        std::fprintf(stderr, "glyph-atlas: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
