#include "objects/closed_surface.h"

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <map>

#include "objects/mesh.h"

namespace {

using Point = std::array<uint32_t, 3>;
using DirectedEdge = std::pair<Point, Point>;

// Exact equality of positions, as the shadow volumes' neighbour search has it: +0 and −0
// are one point.
uint32_t canonicalBits(float value) {
    return value == 0.0f ? 0u : std::bit_cast<uint32_t>(value);
}

bool pointOf(const Vector3& v, Point& point) {
    if (std::isnan(v.x) || std::isnan(v.y) || std::isnan(v.z)) {
        return false;
    }
    point = {canonicalBits(v.x), canonicalBits(v.y), canonicalBits(v.z)};
    return true;
}

}  // namespace

bool isClosedSurface(const Mesh& mesh) {
    if (mesh.getFaceCount() == 0) {
        return false;
    }
    std::map<DirectedEdge, int> uses;
    for (size_t i = 0; i < mesh.getFaceCount(); ++i) {
        const Face& face = mesh.getFace(i);
        Point corners[3];
        for (int k = 0; k < 3; ++k) {
            if (!pointOf(face.vertices[k], corners[k])) {
                return false;
            }
        }
        for (int k = 0; k < 3; ++k) {
            const Point& from = corners[k];
            const Point& to = corners[(k + 1) % 3];
            if (from == to || ++uses[{from, to}] > 1) {
                return false;  // a degenerate edge, or two faces running one way along it
            }
        }
    }
    for (const auto& [edge, count] : uses) {
        if (uses.find({edge.second, edge.first}) == uses.end()) {
            return false;  // a border edge: nothing on the other side
        }
    }
    return true;
}
