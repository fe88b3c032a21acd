#include "objects/neighbour_search.h"

#include <bit>
#include <cmath>
#include <cstddef>
#include <unordered_map>
#include <utility>

#include "objects/face.h"

namespace {

constexpr int32_t kNone = -1;
constexpr uint32_t kNoPoint = UINT32_MAX;  // a point with a NaN equals nothing, itself included

// Float equality as bits: +0 and -0 are equal floats, so both hash as +0.
uint32_t canonicalBits(float value) {
    return value == 0.0f ? 0u : std::bit_cast<uint32_t>(value);
}

struct PointKey {
    uint32_t x, y, z;
    bool operator==(const PointKey&) const = default;
};

struct PointKeyHash {
    size_t operator()(const PointKey& k) const {
        uint64_t h = k.x * 0x9E3779B97F4A7C15ull;
        h ^= (h >> 29) + k.y * 0xBF58476D1CE4E5B9ull;
        h ^= (h >> 31) + k.z * 0x94D049BB133111EBull;
        return static_cast<size_t>(h ^ (h >> 32));
    }
};

struct MixHash {
    size_t operator()(uint64_t k) const {
        k ^= k >> 33;
        k *= 0xFF51AFD7ED558CCDull;
        k ^= k >> 33;
        return static_cast<size_t>(k);
    }
};

// The last two faces (in list order) registered under one key; enough to find the last face
// other than any given one, since a face registers at most once per key.
struct LastTwo {
    int32_t last = kNone;
    int32_t before = kNone;

    void add(int32_t face) {
        before = last;
        last = face;
    }
    int32_t lastOtherThan(int32_t face) const { return last != face ? last : before; }
};

// Numbers every distinct position; points with a NaN component get kNoPoint.
class PointIds {
public:
    explicit PointIds(size_t expected) { ids.reserve(expected); }

    uint32_t idOf(const Vector3& v) {
        if (std::isnan(v.x) || std::isnan(v.y) || std::isnan(v.z)) {
            return kNoPoint;
        }
        const PointKey key{canonicalBits(v.x), canonicalBits(v.y), canonicalBits(v.z)};
        const auto [it, inserted] = ids.try_emplace(key, static_cast<uint32_t>(ids.size()));
        return it->second;
    }

private:
    std::unordered_map<PointKey, uint32_t, PointKeyHash> ids;
};

uint64_t edgeKey(uint32_t a, uint32_t b) {
    if (a > b) {
        std::swap(a, b);
    }
    return (static_cast<uint64_t>(a) << 32) | b;
}

bool isCorner(const Vector3& point, const Face& face) {
    return point == face.vertices[0] || point == face.vertices[1] || point == face.vertices[2];
}

}  // namespace

NeighbourIndices findNeighbours(const std::vector<Face*>& faces) {
    const size_t n = faces.size();
    PointIds points(n * 3);
    std::vector<std::array<uint32_t, 3>> corners(n);
    for (size_t i = 0; i < n; ++i) {
        for (int c = 0; c < 3; ++c) {
            corners[i][c] = points.idOf(faces[i]->vertices[c]);
        }
    }

    // Register every face under each distinct corner and each pair of distinct corners.
    std::unordered_map<uint32_t, LastTwo> byPoint;
    std::unordered_map<uint64_t, LastTwo, MixHash> byEdge;
    byPoint.reserve(n * 3);
    byEdge.reserve(n * 3);
    for (size_t i = 0; i < n; ++i) {
        const auto& c = corners[i];
        const int32_t face = static_cast<int32_t>(i);
        for (int k = 0; k < 3; ++k) {
            if (c[k] == kNoPoint) {
                continue;
            }
            const bool seenBefore = (k > 0 && c[k] == c[0]) || (k > 1 && c[k] == c[1]);
            if (!seenBefore) {
                byPoint[c[k]].add(face);
            }
        }
        const uint64_t pairs[3] = {edgeKey(c[0], c[1]), edgeKey(c[1], c[2]), edgeKey(c[0], c[2])};
        const bool valid[3] = {c[0] != kNoPoint && c[1] != kNoPoint && c[0] != c[1],
                               c[1] != kNoPoint && c[2] != kNoPoint && c[1] != c[2],
                               c[0] != kNoPoint && c[2] != kNoPoint && c[0] != c[2]};
        for (int k = 0; k < 3; ++k) {
            const bool repeated = (k > 0 && valid[0] && pairs[k] == pairs[0]) ||
                                  (k > 1 && valid[1] && pairs[k] == pairs[1]);
            if (valid[k] && !repeated) {
                byEdge[pairs[k]].add(face);
            }
        }
    }

    NeighbourIndices result(n);
    for (size_t i = 0; i < n; ++i) {
        const auto& c = corners[i];
        const int32_t face = static_cast<int32_t>(i);
        for (int e = 0; e < 3; ++e) {
            const uint32_t a = c[e];
            const uint32_t b = c[(e + 1) % 3];
            int32_t found = kNone;
            if (a != kNoPoint && b != kNoPoint) {
                // A degenerate edge (both ends at one point) needs only that point as a corner.
                if (a == b) {
                    found = byPoint.at(a).lastOtherThan(face);
                } else {
                    found = byEdge.at(edgeKey(a, b)).lastOtherThan(face);
                }
            }
            result[i][e] = found;
        }
    }
    return result;
}

NeighbourIndices findNeighboursQuadratic(const std::vector<Face*>& faces) {
    const size_t n = faces.size();
    NeighbourIndices result(n);
    for (size_t i = 0; i < n; ++i) {
        const Vector3* v = faces[i]->vertices;
        result[i] = {kNone, kNone, kNone};
        for (size_t j = 0; j < n; ++j) {
            if (j == i) {
                continue;
            }
            const Face& other = *faces[j];
            for (int e = 0; e < 3; ++e) {
                if (isCorner(v[e], other) && isCorner(v[(e + 1) % 3], other)) {
                    result[i][e] = static_cast<int32_t>(j);
                }
            }
        }
    }
    return result;
}
