#include "platform/font.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cstring>

namespace platform {

struct BitmapFont::Impl {
    FT_Library library = nullptr;
    FT_Face face = nullptr;
};

namespace {

// The file fontconfig picks for a pattern such as "Courier New:bold", with its family.
bool findFontFile(const std::string& pattern, std::string& file, std::string& family) {
    FcConfig* config = FcInitLoadConfigAndFonts();
    if (!config)
        return false;
    FcPattern* wanted = FcNameParse(reinterpret_cast<const FcChar8*>(pattern.c_str()));
    bool found = false;
    if (wanted) {
        FcConfigSubstitute(config, wanted, FcMatchPattern);
        FcDefaultSubstitute(wanted);
        FcResult result = FcResultNoMatch;
        FcPattern* match = FcFontMatch(config, wanted, &result);
        if (match) {
            FcChar8* path = nullptr;
            FcChar8* name = nullptr;
            if (FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch) {
                file = reinterpret_cast<const char*>(path);
                found = true;
            }
            if (FcPatternGetString(match, FC_FAMILY, 0, &name) == FcResultMatch) {
                family = reinterpret_cast<const char*>(name);
            }
            FcPatternDestroy(match);
        }
        FcPatternDestroy(wanted);
    }
    FcConfigDestroy(config);
    return found;
}

bool isStandIn(const std::string& asked, const std::string& got) {
    if (got == asked)
        return true;
    // Debian maps the Windows faces to their metric-compatible Liberation twins.
    return asked == "Courier New" && got == "Liberation Mono";
}

}  // namespace

BitmapFont::BitmapFont() : impl_(std::make_unique<Impl>()) {}

BitmapFont::~BitmapFont() {
    if (impl_->face)
        FT_Done_Face(impl_->face);
    if (impl_->library)
        FT_Done_FreeType(impl_->library);
}

bool BitmapFont::open(const std::string& family, bool bold, int pixelHeight) {
    if (!impl_->library && FT_Init_FreeType(&impl_->library) != 0) {
        return false;
    }
    const std::string style = bold ? ":bold" : "";
    const std::string patterns[] = {family + style, "monospace" + style, "monospace"};
    for (const std::string& pattern : patterns) {
        std::string file, found;
        if (!findFontFile(pattern, file, found))
            continue;
        if (FT_New_Face(impl_->library, file.c_str(), 0, &impl_->face) != 0) {
            impl_->face = nullptr;
            continue;
        }
        FT_Set_Pixel_Sizes(impl_->face, 0, static_cast<FT_UInt>(pixelHeight));
        faceName_ = found;
        exact_ = isStandIn(family, found);
        return true;
    }
    return false;
}

Glyph BitmapFont::render(unsigned char character) const {
    Glyph glyph;
    FT_Face face = impl_->face;
    if (!face || FT_Load_Char(face, character, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO) != 0) {
        return glyph;
    }
    const FT_GlyphSlot slot = face->glyph;
    const FT_Bitmap& source = slot->bitmap;
    glyph.width = static_cast<int>(source.width);
    glyph.height = static_cast<int>(source.rows);
    glyph.xOrigin = static_cast<float>(-slot->bitmap_left);
    glyph.yOrigin = static_cast<float>(glyph.height - slot->bitmap_top);
    glyph.advance = static_cast<float>(slot->advance.x) / 64.0f;
    const int rowBytes = (glyph.width + 7) / 8;
    glyph.bitmap.assign(static_cast<size_t>(rowBytes * glyph.height), 0);
    for (int row = 0; row < glyph.height; ++row) {
        const unsigned char* src = source.buffer + row * source.pitch;
        // glBitmap wants the bottom row first.
        uint8_t* dst = glyph.bitmap.data() + (glyph.height - 1 - row) * rowBytes;
        if (source.pixel_mode == FT_PIXEL_MODE_MONO) {
            std::memcpy(dst, src, static_cast<size_t>(rowBytes));
        } else {
            for (int x = 0; x < glyph.width; ++x) {
                if (src[x] >= 128)
                    dst[x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
            }
        }
    }
    return glyph;
}

}  // namespace platform
