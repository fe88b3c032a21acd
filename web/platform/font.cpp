// The bitmap font in the page: no font library runs there, so the glyphs come from an atlas
// the desktop build rendered with FreeType (tools/glyph-atlas), packed beside the data set,
// and are scaled to the size asked for.
#include <string>

#include "platform/font.h"
#include "platform/glyph_atlas.h"

namespace platform {

// Where scripts/build-web.sh packs the atlas.
const char* const kAtlasPath = "/tarvel/glyphs.atlas";

struct BitmapFont::Impl {
    GlyphAtlas atlas;
    int pixelHeight = 0;
};

BitmapFont::BitmapFont() : impl_(std::make_unique<Impl>()) {}

BitmapFont::~BitmapFont() = default;

bool BitmapFont::open(const std::string&, bool, int pixelHeight) {
    if (!impl_->atlas.read(kAtlasPath))
        return false;
    impl_->pixelHeight = pixelHeight;
    faceName_ = impl_->atlas.faceName;
    exact_ = true;  // the desktop chose the face when it made the atlas
    return true;
}

Glyph BitmapFont::render(unsigned char character) const {
    return impl_->atlas.scaled(character, impl_->pixelHeight);
}

}  // namespace platform
