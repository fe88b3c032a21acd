// Text rendered with FreeType into coverage planes, in a bold sans-serif face found through
// fontconfig ("Liberation Sans" bold, else "DejaVu Sans" bold).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "vintra-gen/pictures/plane.h"

namespace gen {

struct TextStyle {
    float pixelHeight = 48.0f;
    // Horizontal squeeze or stretch of the letters.
    float xScale = 1.0f;
    // Italic shear: horizontal shift per unit of height.
    float slant = 0.0f;
    // Turn of the whole line, radians, counter-clockwise on screen.
    float rotation = 0.0f;
    // Extra pixels between letters.
    float tracking = 0.0f;
    // Vertical offset per letter in pixels (bouncing letters); missing entries are 0.
    std::vector<float> lift = {};
};

class Lettering {
public:
    Lettering();
    ~Lettering();
    Lettering(const Lettering&) = delete;
    Lettering& operator=(const Lettering&) = delete;

    // False when no usable font was found; `error` then says why.
    bool ok() const { return face_ != nullptr; }
    const std::string& error() const { return error_; }
    const std::string& fontPath() const { return fontPath_; }

    // A width × height plane holding the text with its bounding box centred on `centre`.
    Plane render(int width, int height, std::string_view text, Point centre,
                 const TextStyle& style) const;
    // Width and height in pixels of the text's bounding box.
    Point measure(std::string_view text, const TextStyle& style) const;

    // The font file fontconfig resolves for the face; empty if none.
    static std::string findFontFile();

private:
    struct Glyph {
        int left = 0;
        int top = 0;
        int width = 0;
        int rows = 0;
        std::vector<unsigned char> coverage;
    };
    std::vector<Glyph> layout(std::string_view text, const TextStyle& style) const;

    void* library_ = nullptr;
    void* face_ = nullptr;
    std::string fontPath_;
    std::string error_;
};

}  // namespace gen
