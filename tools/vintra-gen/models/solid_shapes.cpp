#include "vintra-gen/models/solid_shapes.h"

#include <cmath>
#include <numbers>
#include <vector>

namespace gen {

UvMap boxProjection(float scale) {
    return [scale](const Pos& p, const Pos& n) -> Uv {
        const float ax = std::fabs(n[0]);
        const float ay = std::fabs(n[1]);
        const float az = std::fabs(n[2]);
        if (ax >= ay && ax >= az) {
            return {p[1] / scale, p[2] / scale};
        }
        if (ay >= az) {
            return {p[0] / scale, p[2] / scale};
        }
        return {p[0] / scale, p[1] / scale};
    };
}

void SolidShapes::box(ModelBuilder& model, const Pos& lo, const Pos& hi, const UvMap& uvs) {
    const std::array<Pos, 4> bottom = {Pos{lo[0], lo[1], lo[2]}, Pos{hi[0], lo[1], lo[2]},
                                       Pos{hi[0], hi[1], lo[2]}, Pos{lo[0], hi[1], lo[2]}};
    const std::array<Pos, 4> top = {Pos{lo[0], lo[1], hi[2]}, Pos{hi[0], lo[1], hi[2]},
                                    Pos{hi[0], hi[1], hi[2]}, Pos{lo[0], hi[1], hi[2]}};
    hexahedron(model, bottom, top, uvs);
}

void SolidShapes::hexahedron(ModelBuilder& model, const std::array<Pos, 4>& bottom,
                             const std::array<Pos, 4>& top, const UvMap& uvs) {
    model.facet({bottom[0], bottom[3], bottom[2], bottom[1]}, uvs, 1);
    model.facet({top[0], top[1], top[2], top[3]}, uvs, 1);
    for (int i = 0; i < 4; ++i) {
        const int j = (i + 1) % 4;
        model.facet({bottom[i], bottom[j], top[j], top[i]}, uvs, 1);
    }
}

Pos SolidShapes::ringPoint(const Frame& frame, float radius, float height, int i, int segments) {
    // The index wraps so the seam column repeats the first column's exact position.
    const double angle = 2.0 * std::numbers::pi * (i % segments) / segments;
    return frame.at(radius * static_cast<float>(std::cos(angle)),
                    radius * static_cast<float>(std::sin(angle)), height);
}

void SolidShapes::frustum(ModelBuilder& model, const Frame& frame, float r0, float r1, float h0,
                          float h1, int segments, const std::function<Uv(float, float)>& sideUvs,
                          const UvMap& capUvs) {
    const bool cone = r1 <= 0.0f;
    // Sides: one column of shared vertices per step, the last at the seam with its own
    // coordinates, so the sides shade smoothly.
    std::vector<uint16_t> lower;
    std::vector<uint16_t> upper;
    for (int i = 0; i <= segments; ++i) {
        const float turn = static_cast<float>(i) / segments;
        lower.push_back(model.vertex(ringPoint(frame, r0, h0, i, segments), sideUvs(turn, h0)));
        if (!cone) {
            upper.push_back(model.vertex(ringPoint(frame, r1, h1, i, segments), sideUvs(turn, h1)));
        }
    }
    for (int i = 0; i < segments; ++i) {
        if (cone) {
            const float turn = (i + 0.5f) / segments;
            const uint16_t apex = model.vertex(frame.at(0, 0, h1), sideUvs(turn, h1));
            model.triangle(lower[i], lower[i + 1], apex, 2);
        } else {
            model.triangle(lower[i], lower[i + 1], upper[i + 1], 2);
            model.triangle(lower[i], upper[i + 1], upper[i], 2);
        }
    }
    // Caps: fans from their centres.
    const Pos up = normalized(frame.w);
    const Pos down = up * -1.0f;
    const Pos bottomCentre = frame.at(0, 0, h0);
    const uint16_t bc = model.vertex(bottomCentre, capUvs(bottomCentre, down));
    std::vector<uint16_t> bottomRing;
    for (int i = 0; i < segments; ++i) {
        const Pos p = ringPoint(frame, r0, h0, i, segments);
        bottomRing.push_back(model.vertex(p, capUvs(p, down)));
    }
    for (int i = 0; i < segments; ++i) {
        model.triangle(bc, bottomRing[(i + 1) % segments], bottomRing[i], 1);
    }
    if (cone) {
        return;
    }
    const Pos topCentre = frame.at(0, 0, h1);
    const uint16_t tc = model.vertex(topCentre, capUvs(topCentre, up));
    std::vector<uint16_t> topRing;
    for (int i = 0; i < segments; ++i) {
        const Pos p = ringPoint(frame, r1, h1, i, segments);
        topRing.push_back(model.vertex(p, capUvs(p, up)));
    }
    for (int i = 0; i < segments; ++i) {
        model.triangle(tc, topRing[i], topRing[(i + 1) % segments], 1);
    }
}

void SolidShapes::frustum(ModelBuilder& model, const Frame& frame, float r0, float r1, float h0,
                          float h1, int segments, float uvScale) {
    const float around = 2.0f * std::numbers::pi_v<float> * std::max(r0, r1) / uvScale;
    frustum(
        model, frame, r0, r1, h0, h1, segments,
        [&](float turn, float h) {
            return Uv{turn * std::round(std::max(1.0f, around)), h / uvScale};
        },
        boxProjection(uvScale));
}

}  // namespace gen
