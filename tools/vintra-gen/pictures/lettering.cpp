#include "vintra-gen/pictures/lettering.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <climits>
#include <cmath>
#include <mutex>

namespace gen {

namespace {

std::string matchFamily(const char* pattern, const char* wantedFamily) {
    FcPattern* query = FcNameParse(reinterpret_cast<const FcChar8*>(pattern));
    if (query == nullptr) {
        return {};
    }
    FcConfigSubstitute(nullptr, query, FcMatchPattern);
    FcDefaultSubstitute(query);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, query, &result);
    std::string file;
    if (match != nullptr) {
        FcChar8* family = nullptr;
        FcChar8* path = nullptr;
        // fontconfig always answers with something; only the wanted family will do.
        if (FcPatternGetString(match, FC_FAMILY, 0, &family) == FcResultMatch &&
            FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch &&
            std::string(reinterpret_cast<const char*>(family)) == wantedFamily) {
            file = reinterpret_cast<const char*>(path);
        }
        FcPatternDestroy(match);
    }
    FcPatternDestroy(query);
    return file;
}

FT_Face asFace(void* face) {
    return static_cast<FT_Face>(face);
}

}  // namespace

std::string Lettering::findFontFile() {
    static std::once_flag once;
    static std::string file;
    std::call_once(once, [] {
        file = matchFamily("Liberation Sans:bold", "Liberation Sans");
        if (file.empty()) {
            file = matchFamily("DejaVu Sans:bold", "DejaVu Sans");
        }
    });
    return file;
}

Lettering::Lettering() {
    fontPath_ = findFontFile();
    if (fontPath_.empty()) {
        error_ = "no \"Liberation Sans\" or \"DejaVu Sans\" bold font found through fontconfig";
        return;
    }
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0) {
        error_ = "FreeType could not be initialised";
        return;
    }
    library_ = library;
    FT_Face face = nullptr;
    if (FT_New_Face(library, fontPath_.c_str(), 0, &face) != 0) {
        error_ = "FreeType could not open " + fontPath_;
        return;
    }
    face_ = face;
}

Lettering::~Lettering() {
    if (face_ != nullptr) {
        FT_Done_Face(asFace(face_));
    }
    if (library_ != nullptr) {
        FT_Done_FreeType(static_cast<FT_Library>(library_));
    }
}

std::vector<Lettering::Glyph> Lettering::layout(std::string_view text,
                                                const TextStyle& style) const {
    std::vector<Glyph> glyphs;
    if (face_ == nullptr) {
        return glyphs;
    }
    FT_Face face = asFace(face_);
    FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(std::max(1.0f, style.pixelHeight)));
    float c = std::cos(style.rotation);
    float s = std::sin(style.rotation);
    // Letter space (x right, y up) → squeeze and shear, then rotate.
    float a = style.xScale * c;
    float b = style.slant * c - s;
    float cc = style.xScale * s;
    float d = style.slant * s + c;
    FT_Matrix matrix{static_cast<FT_Fixed>(a * 65536.0f), static_cast<FT_Fixed>(b * 65536.0f),
                     static_cast<FT_Fixed>(cc * 65536.0f), static_cast<FT_Fixed>(d * 65536.0f)};
    float penX = 0.0f;  // along the baseline, in unrotated letter space
    for (size_t i = 0; i < text.size(); ++i) {
        float lift = i < style.lift.size() ? style.lift[i] : 0.0f;
        float ox = penX * c - lift * s;
        float oy = penX * s + lift * c;
        FT_Vector delta{static_cast<FT_Pos>(std::lround(ox * 64.0f)),
                        static_cast<FT_Pos>(std::lround(oy * 64.0f))};
        FT_Set_Transform(face, &matrix, &delta);
        if (FT_Load_Char(face, static_cast<unsigned char>(text[i]), FT_LOAD_RENDER) != 0) {
            continue;
        }
        FT_GlyphSlot slot = face->glyph;
        Glyph g;
        g.left = slot->bitmap_left;
        g.top = slot->bitmap_top;
        g.width = static_cast<int>(slot->bitmap.width);
        g.rows = static_cast<int>(slot->bitmap.rows);
        g.coverage.resize(static_cast<size_t>(g.width) * g.rows);
        for (int y = 0; y < g.rows; ++y) {
            const unsigned char* row = slot->bitmap.buffer + y * slot->bitmap.pitch;
            std::copy(row, row + g.width, g.coverage.begin() + static_cast<size_t>(y) * g.width);
        }
        glyphs.push_back(std::move(g));
        // The advance is measured before the transform, so squeeze it by hand.
        FT_Set_Transform(face, nullptr, nullptr);
        if (FT_Load_Char(face, static_cast<unsigned char>(text[i]), FT_LOAD_DEFAULT) == 0) {
            penX += face->glyph->advance.x / 64.0f * style.xScale + style.tracking;
        }
    }
    return glyphs;
}

namespace {

// The box of the inked pixels of laid-out glyphs, relative to the pen's baseline.
struct InkBounds {
    int minX = INT_MAX, maxX = INT_MIN, minY = INT_MAX, maxY = INT_MIN;
    bool empty() const { return minX > maxX; }
};

template <typename Glyphs>
InkBounds inkBounds(const Glyphs& glyphs) {
    InkBounds ink;
    for (const auto& g : glyphs) {
        if (g.width == 0 || g.rows == 0) {
            continue;
        }
        ink.minX = std::min(ink.minX, g.left);
        ink.maxX = std::max(ink.maxX, g.left + g.width);
        ink.minY = std::min(ink.minY, -g.top);
        ink.maxY = std::max(ink.maxY, -g.top + g.rows);
    }
    return ink;
}

}  // namespace

Point Lettering::measure(std::string_view text, const TextStyle& style) const {
    const InkBounds ink = inkBounds(layout(text, style));
    if (ink.empty()) {
        return {};
    }
    return {static_cast<float>(ink.maxX - ink.minX), static_cast<float>(ink.maxY - ink.minY)};
}

Plane Lettering::render(int width, int height, std::string_view text, Point centre,
                        const TextStyle& style) const {
    Plane plane(width, height);
    std::vector<Glyph> glyphs = layout(text, style);
    const InkBounds ink = inkBounds(glyphs);
    if (ink.empty()) {
        return plane;
    }
    const int minX = ink.minX, maxX = ink.maxX, minY = ink.minY, maxY = ink.maxY;
    int offsetX = static_cast<int>(std::lround(centre.x - (minX + maxX) * 0.5f));
    int offsetY = static_cast<int>(std::lround(centre.y - (minY + maxY) * 0.5f));
    for (const Glyph& g : glyphs) {
        for (int y = 0; y < g.rows; ++y) {
            int py = offsetY - g.top + y;
            if (py < 0 || py >= height) {
                continue;
            }
            for (int x = 0; x < g.width; ++x) {
                int px = offsetX + g.left + x;
                if (px < 0 || px >= width) {
                    continue;
                }
                float v = g.coverage[static_cast<size_t>(y) * g.width + x] / 255.0f;
                float& dst = plane.at(px, py);
                dst = std::max(dst, v);
            }
        }
    }
    return plane;
}

}  // namespace gen
