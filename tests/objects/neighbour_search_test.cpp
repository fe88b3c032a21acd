#include "objects/neighbour_search.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <limits>
#include <vector>

#include "objects/face.h"
#include "objects/l3ds.h"

namespace {

using Indices = std::array<int32_t, 3>;

// Faces built from corner positions, kept at stable addresses.
class FaceSet {
public:
    Face* add(Vector3 a, Vector3 b, Vector3 c) {
        const Vector3 corners[3] = {a, b, c};
        faces.emplace_back();
        faces.back().setPositions(corners);
        list.push_back(&faces.back());
        return &faces.back();
    }

    std::deque<Face> faces;
    std::vector<Face*> list;
};

void expectBothAgree(const std::vector<Face*>& list, const char* what) {
    const NeighbourIndices linear = findNeighbours(list);
    const NeighbourIndices quadratic = findNeighboursQuadratic(list);
    ASSERT_EQ(linear.size(), quadratic.size()) << what;
    for (size_t i = 0; i < linear.size(); ++i) {
        for (int e = 0; e < 3; ++e) {
            ASSERT_EQ(linear[i][e], quadratic[i][e]) << what << ": face " << i << " edge " << e;
        }
    }
}

TEST(NeighbourSearch, SharedEdgesInEitherOrientation) {
    FaceSet set;
    const Vector3 a(0, 0, 0), b(1, 0, 0), c(0, 1, 0), d(1, 1, 0);
    set.add(a, b, c);  // edge 1–2 is b–c
    set.add(b, d, c);  // edge 2–0 is c–b, the same edge the other way round
    const NeighbourIndices n = findNeighbours(set.list);
    EXPECT_EQ(n[0], (Indices{-1, 1, -1}));
    EXPECT_EQ(n[1], (Indices{-1, -1, 0}));
    expectBothAgree(set.list, "two faces");
}

TEST(NeighbourSearch, PositionsDifferingInTheLastBitAreDifferentPoints) {
    FaceSet set;
    const float nudged = std::nextafter(1.0f, 2.0f);
    set.add(Vector3(0, 0, 0), Vector3(1, 0, 0), Vector3(0, 1, 0));
    set.add(Vector3(nudged, 0, 0), Vector3(1, 1, 0), Vector3(0, 1, 0));
    const NeighbourIndices n = findNeighbours(set.list);
    EXPECT_EQ(n[0], (Indices{-1, -1, -1}));
    EXPECT_EQ(n[1], (Indices{-1, -1, -1}));
    expectBothAgree(set.list, "nudged");
}

TEST(NeighbourSearch, SignedZerosAreOnePoint) {
    FaceSet set;
    set.add(Vector3(0, 0, 0), Vector3(1, 0, 0), Vector3(0, 1, 0));
    set.add(Vector3(-0.0, -0.0, 0), Vector3(0, 1, -0.0), Vector3(-1, 0, 0));
    const NeighbourIndices n = findNeighbours(set.list);
    EXPECT_EQ(n[0][2], 1);
    EXPECT_EQ(n[1][0], 0);
    expectBothAgree(set.list, "signed zeros");
}

TEST(NeighbourSearch, TheLastOtherFaceInListOrderWins) {
    FaceSet set;
    const Vector3 a(0, 0, 0), b(1, 0, 0);
    set.add(a, b, Vector3(0, 1, 0));
    set.add(b, a, Vector3(0, -1, 0));
    set.add(a, b, Vector3(0, 0, 1));  // a fin on the same edge
    const NeighbourIndices n = findNeighbours(set.list);
    EXPECT_EQ(n[0][0], 2);
    EXPECT_EQ(n[1][0], 2);
    EXPECT_EQ(n[2][0], 1);  // itself is skipped: the one before it wins
    expectBothAgree(set.list, "fin");
}

TEST(NeighbourSearch, DuplicatedAndDegenerateFacesMatchThePairRule) {
    FaceSet set;
    const Vector3 a(0, 0, 0), b(1, 0, 0), c(0, 1, 0), d(1, 1, 0);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    set.add(a, b, c);
    set.add(b, d, c);
    set.add(a, a, b);                   // two corners at one point
    set.add(c, c, c);                   // all three
    set.add(Vector3(nan, 0, 0), b, c);  // a point equal to nothing
    set.add(b, a, a);
    // The same faces listed again, as after preparing both the light and the shadow.
    const size_t firstCount = set.list.size();
    for (size_t i = 0; i < firstCount; ++i) {
        set.list.push_back(set.list[i]);
    }
    const NeighbourIndices n = findNeighbours(set.list);
    EXPECT_EQ(n[0][2], 6) << "edge c–a of face 0 lies only on its own copy";
    EXPECT_EQ(n[3], (Indices{10, 10, 10})) << "a degenerate edge needs only its one point";
    EXPECT_EQ(n[4][0], -1) << "no face has the NaN corner";
    expectBothAgree(set.list, "duplicates and degenerates");
}

// Many faces on a small lattice, so that edges are shared by several faces in every order.
TEST(NeighbourSearch, AgreesWithThePairRuleOnACrowdedLattice) {
    FaceSet set;
    uint32_t state = 12345;
    auto next = [&state] {
        state = state * 1664525u + 1013904223u;
        return static_cast<int>((state >> 16) % 4);
    };
    for (int i = 0; i < 600; ++i) {
        Vector3 corners[3];
        for (Vector3& p : corners) {
            p.set(next(), next(), next() == 0 ? -0.0 : 0.0);
        }
        set.add(corners[0], corners[1], corners[2]);
    }
    expectBothAgree(set.list, "lattice");
}

TEST(NeighbourSearch, AgreesWithThePairRuleOnRealModels) {
    const std::filesystem::path dir = TARVEL_SHARED_TESTDATA "/3ds/assimp/";
    if (!std::filesystem::is_directory(dir)) {
        GTEST_SKIP() << "no shared 3DS test data at " << dir;
    }
    int compared = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        L3DS reader;
        if (!reader.LoadFile(entry.path().c_str())) {
            continue;
        }
        FaceSet set;
        for (size_t m = 0; m < reader.GetMeshCount(); ++m) {
            ModelMesh& mesh = reader.GetMesh(m);
            for (size_t k = 0; k < mesh.GetTriangleCount(); ++k) {
                const ExpandedTriangle t = mesh.GetExpandedTriangle(k);
                set.add(Vector3(t.positions[0].x, t.positions[0].y, t.positions[0].z),
                        Vector3(t.positions[1].x, t.positions[1].y, t.positions[1].z),
                        Vector3(t.positions[2].x, t.positions[2].y, t.positions[2].z));
            }
        }
        // The pair rule takes tens of seconds on the largest model; the benchmark covers it.
        if (set.list.size() > 5000) {
            continue;
        }
        expectBothAgree(set.list, entry.path().filename().c_str());
        ++compared;
    }
    EXPECT_GT(compared, 5);
}

}  // namespace
