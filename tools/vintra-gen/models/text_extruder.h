// Solid lettering: the outlines of a word extruded into closed glyph solids (front cap, back
// cap, side walls), placed in a frame, with texture coordinates spread over the whole word.
#pragma once

#include <string>

#include "vintra-gen/models/glyph_outlines.h"
#include "vintra-gen/models/model_builder.h"
#include "vintra-gen/models/solid_shapes.h"

namespace gen {

struct TextPlacement {
    // frame.origin is the centre of the word: half its advance along u, half the x-height
    // above the baseline along v; w points out of the front face.
    Frame frame;
    float emSize = 1.0f;  // model units per em
    float depth = 0.2f;   // extrusion along w, from the back cap at 0 to the front at depth
};

class TextExtruder {
public:
    explicit TextExtruder(const GlyphOutlines& font) : font_(font) {}

    // Adds the word's solids to `model`; false when the font is missing or a glyph could not
    // be triangulated (its solid is then left out).
    bool extrude(const std::string& text, const TextPlacement& placement,
                 ModelBuilder& model) const;

private:
    struct WordBox {
        double minX, maxX, minY, maxY;
    };

    void glyphSolid(const GlyphShape& glyph, const std::vector<std::array<int, 3>>& triangles,
                    const TextPlacement& placement, const WordBox& box, double shiftX,
                    ModelBuilder& model) const;
    void sideWalls(const std::vector<Point2>& contour, const TextPlacement& placement,
                   const WordBox& box, double shiftX, ModelBuilder& model) const;

    const GlyphOutlines& font_;
};

}  // namespace gen
