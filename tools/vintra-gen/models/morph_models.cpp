#include "vintra-gen/models/morph_models.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <map>
#include <numbers>

namespace gen {
namespace {

// Level 2: 320 faces a body part, round enough under smooth shading.
constexpr int kBodyLevels = 2;
constexpr int kLegSides = 6;
constexpr int kLegJoints = 4;  // hip, knee, ankle, foot

struct Sphere {
    std::vector<Pos> directions;  // unit vectors
    std::vector<std::array<uint16_t, 3>> faces;
};

Sphere icosphere(int levels) {
    const float t = (1.0f + std::sqrt(5.0f)) / 2.0f;
    Sphere s;
    for (const Pos& p : {Pos{-1, t, 0}, Pos{1, t, 0}, Pos{-1, -t, 0}, Pos{1, -t, 0}, Pos{0, -1, t},
                         Pos{0, 1, t}, Pos{0, -1, -t}, Pos{0, 1, -t}, Pos{t, 0, -1}, Pos{t, 0, 1},
                         Pos{-t, 0, -1}, Pos{-t, 0, 1}}) {
        s.directions.push_back(normalized(p));
    }
    s.faces = {{0, 11, 5},  {0, 5, 1},  {0, 1, 7},  {0, 7, 10}, {0, 10, 11}, {1, 5, 9}, {5, 11, 4},
               {11, 10, 2}, {10, 7, 6}, {7, 1, 8},  {3, 9, 4},  {3, 4, 2},   {3, 2, 6}, {3, 6, 8},
               {3, 8, 9},   {4, 9, 5},  {2, 4, 11}, {6, 2, 10}, {8, 6, 7},   {9, 8, 1}};
    for (int level = 0; level < levels; ++level) {
        std::map<std::pair<uint16_t, uint16_t>, uint16_t> middles;
        auto middle = [&](uint16_t a, uint16_t b) {
            const auto key = std::minmax(a, b);
            auto found = middles.find(key);
            if (found != middles.end()) {
                return found->second;
            }
            s.directions.push_back(normalized(s.directions[a] + s.directions[b]));
            const auto index = static_cast<uint16_t>(s.directions.size() - 1);
            middles.emplace(key, index);
            return index;
        };
        std::vector<std::array<uint16_t, 3>> finer;
        for (const auto& f : s.faces) {
            const uint16_t ab = middle(f[0], f[1]);
            const uint16_t bc = middle(f[1], f[2]);
            const uint16_t ca = middle(f[2], f[0]);
            finer.push_back({f[0], ab, ca});
            finer.push_back({f[1], bc, ab});
            finer.push_back({f[2], ca, bc});
            finer.push_back({ab, bc, ca});
        }
        s.faces = std::move(finer);
    }
    return s;
}

Pos mix(const Pos& rest, const Pos& swollen, float swell) {
    return rest + (swollen - rest) * swell;
}

// The creature under construction at one swell, remembering where each vertex lies at rest.
struct Creature {
    ModelBuilder model;
    float swell;
    std::vector<Pos> rest;
};

// A point of the creature for a swell of 0 (at rest) or 1 (swollen).
using Shaped = std::function<Pos(float swell)>;

// Adds a vertex at its place for the creature's swell, textured from its rest place.
uint16_t vertex(Creature& c, const Shaped& at) {
    const Pos rest = at(0.0f);
    c.rest.push_back(rest);
    // A top-down projection, tilted a little by height: the marble runs over back and legs.
    const Uv uv{0.5f + 0.3f * rest[0], 0.5f + 0.3f * rest[1] + 0.2f * rest[2]};
    return c.model.vertex(at(c.swell), uv);
}

// A triangle wound so that its face normal points away from `inside`, judged at rest so both
// shapes wind every face alike (the morph pairs corners by their order).
void outwardTriangle(Creature& c, uint16_t a, uint16_t b, uint16_t d, const Pos& inside) {
    const auto& p = c.rest;
    const Pos normal = cross(p[b] - p[a], p[d] - p[a]);
    const Pos centre = (p[a] + p[b] + p[d]) * (1.0f / 3.0f);
    if (dot(normal, centre - inside) >= 0) {
        c.model.triangle(a, b, d, 1);
    } else {
        c.model.triangle(a, d, b, 1);
    }
}

// Four legs a side, fanned from the front (degrees from the head's direction); the front
// and hind pairs reach furthest, as a spider's do.
constexpr float kLegAngles[4] = {38, 72, 108, 146};
constexpr float kLegReach[4] = {1.15f, 1.0f, 0.95f, 1.1f};

const Pos kThorax{0.4f, 0, 0.5f};
const Pos kThoraxSwollen{0.5f, 0, 0.6f};

// The joints of leg `index` (0–3 one side, 4–7 the other): hip on the thorax, knee high,
// ankle lower and further out, foot on the ground.
std::array<Pos, kLegJoints> legJoints(int index, float swell) {
    const float side = index < 4 ? 1.0f : -1.0f;
    const float angle = kLegAngles[index % 4] * std::numbers::pi_v<float> / 180.0f;
    const Pos out{std::cos(angle), side * std::sin(angle), 0};
    const float reach = kLegReach[index % 4] * (1.0f + 0.45f * swell);
    const Pos hip = mix(kThorax, kThoraxSwollen, swell) + out * 0.3f;
    return {hip, hip + out * (0.75f * reach) + Pos{0, 0, 0.55f + 0.45f * swell},
            hip + out * (1.55f * reach) + Pos{0, 0, 0.15f + 0.25f * swell},
            Pos{hip[0], hip[1], 0} + out * (1.9f * reach)};
}

// A smooth body part that grows by `growth` and moves to `swollenCentre` as it swells.
void ellipsoid(Creature& c, const Pos& centre, const Pos& radii, const Pos& swollenCentre,
               float growth) {
    const Sphere s = icosphere(kBodyLevels);
    const auto base = static_cast<uint16_t>(c.model.vertexCount());
    for (const Pos& d : s.directions) {
        vertex(c, [&](float w) {
            const float g = 1.0f + (growth - 1.0f) * w;
            return mix(centre, swollenCentre, w) +
                   Pos{d[0] * radii[0] * g, d[1] * radii[1] * g, d[2] * radii[2] * g};
        });
    }
    for (const auto& f : s.faces) {
        outwardTriangle(c, static_cast<uint16_t>(base + f[0]), static_cast<uint16_t>(base + f[1]),
                        static_cast<uint16_t>(base + f[2]), centre);
    }
}

// A six-sided tube along the leg's joints, thinning towards a pointed foot.
void leg(Creature& c, int index) {
    static constexpr float kThickness[kLegJoints] = {0.1f, 0.08f, 0.055f, 0.03f};
    auto ringPoint = [index](int joint, int side, float w) {
        const std::array<Pos, kLegJoints> p = legJoints(index, w);
        const Pos along =
            normalized(p[std::min(joint + 1, kLegJoints - 1)] - p[std::max(joint - 1, 0)]);
        const Pos across = normalized(cross(along, Pos{0, 0, 1}));
        const Pos up = cross(across, along);
        const float theta = 2.0f * std::numbers::pi_v<float> * side / kLegSides;
        const float radius = kThickness[joint] * (1.0f + 1.4f * w);
        return p[joint] + (across * std::cos(theta) + up * std::sin(theta)) * radius;
    };
    const auto base = static_cast<uint16_t>(c.model.vertexCount());
    for (int joint = 0; joint < kLegJoints; ++joint) {
        for (int side = 0; side < kLegSides; ++side) {
            vertex(c, [&](float w) { return ringPoint(joint, side, w); });
        }
    }
    // Pointed at the foot and capped at the hip (inside the thorax), so the leg is closed.
    const uint16_t tip = vertex(c, [index](float w) {
        const std::array<Pos, kLegJoints> p = legJoints(index, w);
        return p[3] + normalized(p[3] - p[2]) * 0.06f;
    });
    const std::array<Pos, kLegJoints> joints = legJoints(index, 0.0f);
    auto at = [base](int joint, int side) {
        return static_cast<uint16_t>(base + joint * kLegSides + side % kLegSides);
    };
    for (int joint = 0; joint + 1 < kLegJoints; ++joint) {
        const Pos inside = (joints[joint] + joints[joint + 1]) * 0.5f;
        for (int side = 0; side < kLegSides; ++side) {
            outwardTriangle(c, at(joint, side), at(joint, side + 1), at(joint + 1, side + 1),
                            inside);
            outwardTriangle(c, at(joint, side), at(joint + 1, side + 1), at(joint + 1, side),
                            inside);
        }
    }
    const uint16_t hip = vertex(c, [index](float w) { return legJoints(index, w)[0]; });
    for (int side = 0; side < kLegSides; ++side) {
        outwardTriangle(c, at(kLegJoints - 1, side), at(kLegJoints - 1, side + 1), tip,
                        joints[kLegJoints - 1]);
        outwardTriangle(c, at(0, side), at(0, side + 1), hip, joints[1]);
    }
}

}  // namespace

ModelBuilder MorphModels::shape(bool spiky) {
    Creature c{ModelBuilder(spiky ? "spinne" : "spnormal"), spiky ? 1.0f : 0.0f, {}};
    // The abdomen blows up most and rises behind; the thorax grows a little.
    ellipsoid(c, {-0.75f, 0, 0.6f}, {kRadius, 0.62f, 0.55f}, {-1.35f, 0, 1.1f}, 2.2f);
    ellipsoid(c, kThorax, {0.5f, 0.42f, 0.32f}, kThoraxSwollen, 1.25f);
    for (int i = 0; i < 8; ++i) {
        leg(c, i);
    }
    return c.model;
}

}  // namespace gen
