#include "vintra-gen/models/tower_model.h"

#include <array>

#include "vintra-gen/models/solid_shapes.h"

namespace gen {
namespace {

const UvMap kStone = boxProjection(25.0f);

constexpr float kHalf = 11.0f;        // shaft half-width
constexpr float kShaftBottom = 4.0f;  // sunk into the base
constexpr float kShaftTop = 74.0f;
constexpr float kRecess = 1.6f;  // window depth

// The shaft walls share one lattice of exact coordinates, so neighbouring cells (and the
// four walls at the corners) meet on identical points.
constexpr std::array<float, 8> kAcross = {-11.0f, -7.5f, -6.0f, -1.6f, 1.6f, 6.0f, 7.5f, 11.0f};
constexpr std::array<float, 11> kUp = {4.0f,  12.0f, 18.0f, 26.0f, 32.0f, 40.0f,
                                       46.0f, 54.0f, 60.0f, 67.0f, 74.0f};

// Which lattice cells are recessed: central windows on three floors, slits beside them.
bool recessed(int column, int row) {
    const bool window = column == 3 && (row == 2 || row == 5 || row == 8);
    const bool slit = (column == 1 || column == 5) && (row == 3 || row == 6);
    return window || slit;
}

// Point on wall `side` (0: -y face, then counter-clockwise seen from above) at lattice
// coordinate `a` along it, height z, pushed `inset` into the tower.
Pos wallPoint(int side, float a, float z, float inset) {
    const float h = kHalf - inset;
    switch (side) {
        case 0:
            return {a, -h, z};
        case 1:
            return {h, a, z};
        case 2:
            return {-a, h, z};
        default:
            return {-h, -a, z};
    }
}

}  // namespace

ModelBuilder TowerModel::build() {
    ModelBuilder model("tower");
    // Battered base: wider at the foot.
    SolidShapes::hexahedron(
        model, {Pos{-16, -16, 0}, Pos{16, -16, 0}, Pos{16, 16, 0}, Pos{-16, 16, 0}},
        {Pos{-13, -13, 7}, Pos{13, -13, 7}, Pos{13, 13, 7}, Pos{-13, 13, 7}}, kStone);
    shaft(model);
    buttresses(model);
    top(model);
    return model;
}

void TowerModel::shaft(ModelBuilder& model) {
    for (int side = 0; side < 4; ++side) {
        shaftWall(model, side);
    }
    // Top and bottom: fans from the centre over every lattice point of the rim, so their edges
    // match the walls' cells exactly.
    for (const float z : {kShaftBottom, kShaftTop}) {
        const bool upper = z == kShaftTop;
        const Pos normal{0, 0, upper ? 1.0f : -1.0f};
        std::vector<Pos> rim;
        for (int side = 0; side < 4; ++side) {
            for (size_t i = 0; i + 1 < kAcross.size(); ++i) {
                rim.push_back(wallPoint(side, kAcross[i], z, 0.0f));
            }
        }
        const uint16_t centre = model.vertex({0, 0, z}, kStone({0, 0, z}, normal));
        std::vector<uint16_t> ring;
        for (const Pos& p : rim) {
            ring.push_back(model.vertex(p, kStone(p, normal)));
        }
        for (size_t i = 0; i < ring.size(); ++i) {
            const uint16_t a = ring[i];
            const uint16_t b = ring[(i + 1) % ring.size()];
            if (upper) {
                model.triangle(centre, a, b, 1);
            } else {
                model.triangle(centre, b, a, 1);
            }
        }
    }
}

void TowerModel::shaftWall(ModelBuilder& model, int side) {
    for (size_t c = 0; c + 1 < kAcross.size(); ++c) {
        for (size_t r = 0; r + 1 < kUp.size(); ++r) {
            const float a0 = kAcross[c];
            const float a1 = kAcross[c + 1];
            const float z0 = kUp[r];
            const float z1 = kUp[r + 1];
            if (!recessed(static_cast<int>(c), static_cast<int>(r))) {
                model.facet({wallPoint(side, a0, z0, 0), wallPoint(side, a1, z0, 0),
                             wallPoint(side, a1, z1, 0), wallPoint(side, a0, z1, 0)},
                            kStone, 1);
                continue;
            }
            // A recess: the back of the window and its four reveals.
            const Pos o00 = wallPoint(side, a0, z0, 0);
            const Pos o10 = wallPoint(side, a1, z0, 0);
            const Pos o11 = wallPoint(side, a1, z1, 0);
            const Pos o01 = wallPoint(side, a0, z1, 0);
            const Pos i00 = wallPoint(side, a0, z0, kRecess);
            const Pos i10 = wallPoint(side, a1, z0, kRecess);
            const Pos i11 = wallPoint(side, a1, z1, kRecess);
            const Pos i01 = wallPoint(side, a0, z1, kRecess);
            model.facet({i00, i10, i11, i01}, kStone, 1);
            model.facet({o00, o10, i10, i00}, kStone, 1);  // sill
            model.facet({o10, o11, i11, i10}, kStone, 1);
            model.facet({o11, o01, i01, i11}, kStone, 1);  // lintel
            model.facet({o01, o00, i00, i01}, kStone, 1);
        }
    }
}

void TowerModel::buttresses(ModelBuilder& model) {
    // Two stages per corner, each with a sloped top, overlapping the shaft's corner.
    for (const float sx : {-1.0f, 1.0f}) {
        for (const float sy : {-1.0f, 1.0f}) {
            auto ring = [&](float reach, float inner, float z) {
                const float x0 = sx * inner;
                const float x1 = sx * reach;
                const float y0 = sy * inner;
                const float y1 = sy * reach;
                std::array<Pos, 4> q = {Pos{std::min(x0, x1), std::min(y0, y1), z},
                                        Pos{std::max(x0, x1), std::min(y0, y1), z},
                                        Pos{std::max(x0, x1), std::max(y0, y1), z},
                                        Pos{std::min(x0, x1), std::max(y0, y1), z}};
                return q;
            };
            SolidShapes::hexahedron(model, ring(14.5f, 8.0f, 1.0f), ring(13.5f, 8.5f, 34.0f),
                                    kStone);
            SolidShapes::hexahedron(model, ring(13.0f, 8.8f, 33.0f), ring(12.0f, 9.2f, 58.0f),
                                    kStone);
        }
    }
}

void TowerModel::top(ModelBuilder& model) {
    // Corbels under the gallery.
    for (int side = 0; side < 4; ++side) {
        for (const float a : {-8.0f, -3.0f, 2.0f, 7.0f}) {
            const Pos lo = wallPoint(side, a, 68.5f, 0.5f);
            const Pos hi = wallPoint(side, a + 1.8f, 72.5f, -2.5f);
            SolidShapes::box(model, {std::min(lo[0], hi[0]), std::min(lo[1], hi[1]), lo[2]},
                             {std::max(lo[0], hi[0]), std::max(lo[1], hi[1]), hi[2]}, kStone);
        }
    }
    // Gallery floor overhanging the shaft, the parapet ring on it, merlons on the parapet.
    SolidShapes::box(model, {-14.0f, -14.0f, 72.0f}, {14.0f, 14.0f, 76.0f}, kStone);
    const float outer = 14.0f;
    const float inner = 12.2f;
    const float z0 = 75.5f;
    const float z1 = 80.0f;
    SolidShapes::hexahedron(model,
                            {Pos{-outer, -outer, z0}, Pos{outer, -outer, z0},
                             Pos{outer, -inner, z0}, Pos{-outer, -inner, z0}},
                            {Pos{-outer, -outer, z1}, Pos{outer, -outer, z1},
                             Pos{outer, -inner, z1}, Pos{-outer, -inner, z1}},
                            kStone);
    SolidShapes::hexahedron(model,
                            {Pos{-outer, inner, z0}, Pos{outer, inner, z0}, Pos{outer, outer, z0},
                             Pos{-outer, outer, z0}},
                            {Pos{-outer, inner, z1}, Pos{outer, inner, z1}, Pos{outer, outer, z1},
                             Pos{-outer, outer, z1}},
                            kStone);
    SolidShapes::hexahedron(model,
                            {Pos{-outer, -13.0f, z0 + 0.1f}, Pos{-inner, -13.0f, z0 + 0.1f},
                             Pos{-inner, 13.0f, z0 + 0.1f}, Pos{-outer, 13.0f, z0 + 0.1f}},
                            {Pos{-outer, -13.0f, z1 - 0.1f}, Pos{-inner, -13.0f, z1 - 0.1f},
                             Pos{-inner, 13.0f, z1 - 0.1f}, Pos{-outer, 13.0f, z1 - 0.1f}},
                            kStone);
    SolidShapes::hexahedron(model,
                            {Pos{inner, -13.0f, z0 + 0.1f}, Pos{outer, -13.0f, z0 + 0.1f},
                             Pos{outer, 13.0f, z0 + 0.1f}, Pos{inner, 13.0f, z0 + 0.1f}},
                            {Pos{inner, -13.0f, z1 - 0.1f}, Pos{outer, -13.0f, z1 - 0.1f},
                             Pos{outer, 13.0f, z1 - 0.1f}, Pos{inner, 13.0f, z1 - 0.1f}},
                            kStone);
    for (int side = 0; side < 4; ++side) {
        for (const float a : {-12.0f, -6.0f, -0.9f, 4.2f, 9.5f}) {
            const Pos lo = wallPoint(side, a, 79.5f, -3.0f + 0.05f);
            const Pos hi = wallPoint(side, a + 2.5f, 84.5f, -3.0f + 1.6f);
            SolidShapes::box(model, {std::min(lo[0], hi[0]), std::min(lo[1], hi[1]), lo[2]},
                             {std::max(lo[0], hi[0]), std::max(lo[1], hi[1]), hi[2]}, kStone);
        }
    }
    // The turret in the middle and its pyramid roof.
    SolidShapes::box(model, {-6.0f, -6.0f, 75.0f}, {6.0f, 6.0f, 90.0f}, kStone);
    SolidShapes::frustum(
        model,
        Frame{{0, 0, 0}, {0.70710677f, 0.70710677f, 0}, {-0.70710677f, 0.70710677f, 0}, {0, 0, 1}},
        10.5f, 0.0f, 89.0f, 102.0f, 4, 25.0f);
}

}  // namespace gen
