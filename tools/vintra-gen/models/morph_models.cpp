#include "vintra-gen/models/morph_models.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <numbers>

namespace gen {
namespace {

// Level 3: 1280 faces, smooth enough for the spikes to read as spikes.
constexpr int kLevels = 3;

float angleBetween(const Pos& a, const Pos& b) {
    return std::acos(std::clamp(dot(a, b), -1.0f, 1.0f));
}

float bump(float angle, float width) {
    return std::exp(-(angle * angle) / (width * width));
}

}  // namespace

MorphModels::Sphere MorphModels::icosphere(int levels) {
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

Pos MorphModels::deformed(const Pos& direction, size_t index, float swell) {
    float scale = 1.0f;
    float drop = 0.0f;
    // Eight legs, four a side, reaching out and down; the knees sag below the tips.
    for (int leg = 0; leg < 8; ++leg) {
        const int side = leg < 4 ? 1 : -1;
        const double spread = (-45.0 + 30.0 * (leg % 4)) * std::numbers::pi / 180.0;
        const Pos legDirection =
            normalized(Pos{static_cast<float>(std::sin(spread)),
                           side * static_cast<float>(std::cos(spread)), -0.35f});
        const float g = bump(angleBetween(direction, legDirection), 0.2f);
        scale += (0.8f + 1.2f * swell) * g;
        drop += 0.9f * g * (1.0f - g) * 4.0f;
    }
    // A head at the front and short spines over the back, each on a vertex of its own.
    scale += 0.45f * bump(angleBetween(direction, normalized(Pos{1, 0, 0.25f})), 0.35f);
    if (direction[2] > 0.15f && index % 7 == 0) {
        scale += 0.2f + 1.0f * swell;
    }
    Pos p = direction * (MorphModels::kRadius * scale * (1.0f + 1.0f * swell));
    p[2] -= drop * 0.5f;
    return p;
}

ModelBuilder MorphModels::shape(bool spiky) {
    ModelBuilder model(spiky ? "spinne" : "spnormal");
    const Sphere s = icosphere(kLevels);
    for (size_t i = 0; i < s.directions.size(); ++i) {
        const Pos& d = s.directions[i];
        // A slanted projection: no seam, and the noise texture hides the stretch.
        const Uv uv{0.5f + 0.5f * (d[0] + 0.45f * d[2]), 0.5f + 0.5f * (d[1] + 0.6f * d[2])};
        model.vertex(deformed(d, i, spiky ? 1.0f : 0.0f), uv);
    }
    for (const auto& f : s.faces) {
        model.triangle(f[0], f[1], f[2], 1);
    }
    return model;
}

}  // namespace gen
