// Outlines of a line of text in a bold sans font (found through fontconfig, read with
// FreeType), flattened to closed polygons in em units: x along the baseline, y up.
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace gen {

struct Point2 {
    double x = 0;
    double y = 0;
};

// One glyph's closed contours, each without a repeated closing point. Outer contours run
// counter-clockwise and holes clockwise, so the filled side is always on the left.
struct GlyphShape {
    std::vector<std::vector<Point2>> contours;
};

class GlyphOutlines {
public:
    GlyphOutlines();
    ~GlyphOutlines();
    GlyphOutlines(const GlyphOutlines&) = delete;
    GlyphOutlines& operator=(const GlyphOutlines&) = delete;

    // False when no usable font was found; `error()` says why.
    bool ready() const { return face_ != nullptr; }
    const std::string& error() const { return error_; }
    const std::string& fontFile() const { return fontFile_; }

    // The glyphs of `text` laid out from x = 0 on the baseline; blanks give no shape.
    std::vector<GlyphShape> layout(const std::string& text) const;

private:
    struct Library;

    bool open(const std::string& pattern);
    GlyphShape glyph(double penX) const;

    std::unique_ptr<Library> library_;
    void* face_ = nullptr;
    std::string fontFile_;
    std::string error_;
};

}  // namespace gen
