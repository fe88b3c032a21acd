// Triangulates the filled area of a set of closed contours (odd winding rule) with the GLU
// tessellator, as plain triangles over the contours' own points.
#pragma once

#include <array>
#include <vector>

#include "vintra-gen/models/glyph_outlines.h"

namespace gen {

class CapTessellator {
public:
    // Triangles as indices into the contours' points numbered in order (contour by contour),
    // each counter-clockwise in the xy plane. False when the tessellator had to invent points
    // (crossing contours) or reported an error; the triangles are then unusable.
    static bool triangulate(const std::vector<std::vector<Point2>>& contours,
                            std::vector<std::array<int, 3>>& triangles);
};

}  // namespace gen
