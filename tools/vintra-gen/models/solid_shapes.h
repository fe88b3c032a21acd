// Closed solids (boxes, frustums, cylinders, cones) added to a model under construction. Each
// solid is watertight on its own: every edge is shared by exactly two of its faces, with
// bit-identical corner positions, as stencil shadow volumes require.
#pragma once

#include <array>

#include "vintra-gen/models/model_builder.h"

namespace gen {

// A placement: origin and three axes; solids of revolution turn about w.
struct Frame {
    Pos origin{0, 0, 0};
    Pos u{1, 0, 0};
    Pos v{0, 1, 0};
    Pos w{0, 0, 1};

    Pos at(float a, float b, float c) const { return origin + u * a + v * b + w * c; }
};

// Texture coordinates by box projection: the plane most facing the normal, `scale` units per
// texture repeat.
UvMap boxProjection(float scale);

class SolidShapes {
public:
    // Axis-aligned box between two corners.
    static void box(ModelBuilder& model, const Pos& lo, const Pos& hi, const UvMap& uvs);
    // Six quads from four bottom and four top corners, both counter-clockwise seen from the
    // top side.
    static void hexahedron(ModelBuilder& model, const std::array<Pos, 4>& bottom,
                           const std::array<Pos, 4>& top, const UvMap& uvs);
    // Frustum about frame.w from height h0 (radius r0) to h1 (radius r1), smooth sides and
    // flat caps; r1 = 0 makes a cone. `sideUvs` maps (turn fraction, height) to coordinates;
    // the caps take `capUvs`.
    static void frustum(ModelBuilder& model, const Frame& frame, float r0, float r1, float h0,
                        float h1, int segments, const std::function<Uv(float, float)>& sideUvs,
                        const UvMap& capUvs);
    // Frustum with cylindrical coordinates on the sides and box projection on the caps.
    static void frustum(ModelBuilder& model, const Frame& frame, float r0, float r1, float h0,
                        float h1, int segments, float uvScale);

private:
    static Pos ringPoint(const Frame& frame, float radius, float height, int i, int segments);
};

}  // namespace gen
