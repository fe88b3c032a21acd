#include "vintra-gen/models/model_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include <unistd.h>

#include "objects/l3ds.h"
#include "vintra-gen/models/morph_models.h"
#include "vintra-gen/models/turntable_models.h"

namespace {

namespace fs = std::filesystem;

const std::vector<std::string> kTitles = {"text/once_again.3ds", "text/another.3ds",
                                          "text/last_minute.3ds", "text/production.3ds",
                                          "text/presented_by.3ds"};
const std::vector<std::string> kTurntable = {"turnbody.3ds", "turnunderdisc.3ds", "turndisc.3ds"};
const std::vector<std::string> kMorph = {"spnormal.3ds", "spinne.3ds"};

std::vector<std::string> towerScene() {
    std::vector<std::string> files = {"tower2.3ds", "codedby.3ds", "zorbel.3ds"};
    for (int i = 1; i <= 9; ++i) {
        files.push_back("tower/t" + std::to_string(i) + ".3ds");
    }
    return files;
}

std::vector<uint8_t> readBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Generates the whole model set once into a temporary directory.
class Models : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        root_ = fs::temp_directory_path() / ("tarvel_models_" + std::to_string(::getpid()));
        gen::OutputDirectory out(root_.string());
        produced_ = gen::produceModels(out);
    }
    static void TearDownTestSuite() { fs::remove_all(root_); }

    static bool load(const std::string& file, L3DS& reader) {
        return reader.LoadFile((root_ / file).string().c_str());
    }

    static fs::path root_;
    static bool produced_;
};

fs::path Models::root_;
bool Models::produced_ = false;

using Point = std::array<float, 3>;
using Edge = std::pair<Point, Point>;

Point corner(const ExpandedTriangle& t, int i) {
    return {t.positions[i].x, t.positions[i].y, t.positions[i].z};
}

// Counts each directed edge over every mesh, by exact corner positions, as the shadow volume's
// neighbour search compares them.
std::map<Edge, int> directedEdges(L3DS& reader) {
    std::map<Edge, int> edges;
    for (size_t m = 0; m < reader.GetMeshCount(); ++m) {
        const ModelMesh& mesh = reader.GetMesh(m);
        for (size_t f = 0; f < mesh.GetTriangleCount(); ++f) {
            const ExpandedTriangle t = mesh.GetExpandedTriangle(f);
            for (int i = 0; i < 3; ++i) {
                ++edges[{corner(t, i), corner(t, (i + 1) % 3)}];
            }
        }
    }
    return edges;
}

// Closed and consistently wound: every edge once in each direction.
void expectClosed(const std::string& file, L3DS& reader) {
    const std::map<Edge, int> edges = directedEdges(reader);
    int bad = 0;
    for (const auto& [edge, count] : edges) {
        auto reverse = edges.find({edge.second, edge.first});
        if (count != 1 || reverse == edges.end() || reverse->second != 1) {
            ++bad;
        }
    }
    EXPECT_EQ(bad, 0) << file << ": edges not shared by exactly two opposed faces";
}

// Six times the enclosed volume: positive when the faces wind outwards.
double signedVolume(L3DS& reader) {
    double volume = 0;
    for (size_t m = 0; m < reader.GetMeshCount(); ++m) {
        const ModelMesh& mesh = reader.GetMesh(m);
        for (size_t f = 0; f < mesh.GetTriangleCount(); ++f) {
            const ExpandedTriangle t = mesh.GetExpandedTriangle(f);
            const Vec4f& a = t.positions[0];
            const Vec4f& b = t.positions[1];
            const Vec4f& c = t.positions[2];
            volume += a.x * (b.y * c.z - b.z * c.y) - a.y * (b.x * c.z - b.z * c.x) +
                      a.z * (b.x * c.y - b.y * c.x);
        }
    }
    return volume;
}

size_t faces(L3DS& reader) {
    size_t n = 0;
    for (size_t m = 0; m < reader.GetMeshCount(); ++m) {
        n += reader.GetMesh(m).GetTriangleCount();
    }
    return n;
}

TEST_F(Models, EveryModelReadsBackTexturedWithItsTextureNamed) {
    ASSERT_TRUE(produced_);
    std::vector<std::string> all = kTitles;
    for (const auto& list : {kTurntable, kMorph, towerScene()}) {
        all.insert(all.end(), list.begin(), list.end());
    }
    for (const std::string& file : all) {
        L3DS reader;
        ASSERT_TRUE(load(file, reader)) << file;
        ASSERT_EQ(reader.GetMaterialCount(), 1u) << file;
        EXPECT_GT(reader.GetMaterial(0).GetTexture1().name.size(), 1u) << file;
        EXPECT_FLOAT_EQ(reader.GetMaterial(0).GetTexture1().uScale, 1.0f) << file;
        ASSERT_EQ(reader.GetMeshCount(), 1u) << file;
        const ModelMesh& mesh = reader.GetMesh(0);
        EXPECT_GT(mesh.GetTriangleCount(), 0u) << file;
        ASSERT_EQ(mesh.GetMaterialCount(), 1u) << file << ": the mesh names its material";
        EXPECT_EQ(mesh.GetMaterial(0), 0u) << file;
        bool spread = false;
        for (size_t i = 0; i < mesh.GetVertexCount(); ++i) {
            spread =
                spread || mesh.GetUv(i).u != mesh.GetUv(0).u || mesh.GetUv(i).v != mesh.GetUv(0).v;
        }
        EXPECT_TRUE(spread) << file << ": texture coordinates vary";
        EXPECT_GT(signedVolume(reader), 0.0) << file << ": faces wind outwards";
    }
}

TEST_F(Models, ShadowCastersAndLetteringAreClosed) {
    std::vector<std::string> closed = kTitles;
    for (const auto& list : {kMorph, towerScene()}) {
        closed.insert(closed.end(), list.begin(), list.end());
    }
    for (const std::string& file : closed) {
        L3DS reader;
        ASSERT_TRUE(load(file, reader)) << file;
        expectClosed(file, reader);
    }
}

TEST_F(Models, FaceBudgets) {
    size_t tower = 0;
    for (const std::string& file : towerScene()) {
        L3DS reader;
        ASSERT_TRUE(load(file, reader));
        tower += faces(reader);
    }
    EXPECT_LT(tower, 40000u) << "the tower scene's faces";
    for (const std::string& file : kTitles) {
        L3DS reader;
        ASSERT_TRUE(load(file, reader));
        EXPECT_LT(faces(reader), 6000u) << file;
    }
}

TEST_F(Models, MorphShapesShareTheirFaceListAndCoordinates) {
    L3DS start;
    L3DS end;
    ASSERT_TRUE(load(kMorph[0], start));
    ASSERT_TRUE(load(kMorph[1], end));
    const ModelMesh& a = start.GetMesh(0);
    const ModelMesh& b = end.GetMesh(0);
    ASSERT_EQ(a.GetTriangleCount(), b.GetTriangleCount());
    EXPECT_LT(a.GetTriangleCount(), 5000u);
    float rest = 0;
    float reach = 0;
    float restHeight = 0;
    float swollenHeight = 0;
    for (size_t i = 0; i < a.GetTriangleCount(); ++i) {
        const ExpandedTriangle s = a.GetExpandedTriangle(i);
        const ExpandedTriangle e = b.GetExpandedTriangle(i);
        for (int k = 0; k < 3; ++k) {
            ASSERT_EQ(s.uvs[k].u, e.uvs[k].u) << "face " << i;
            ASSERT_EQ(s.uvs[k].v, e.uvs[k].v) << "face " << i;
            rest = std::max(rest, std::hypot(s.positions[k].x, s.positions[k].y));
            reach = std::max(reach, std::hypot(e.positions[k].x, e.positions[k].y));
            restHeight = std::max(restHeight, s.positions[k].z);
            swollenHeight = std::max(swollenHeight, e.positions[k].z);
        }
    }
    // A spider stands on legs well beyond its body; on the kick it swells so much that a
    // tenth of the way there already shows.
    EXPECT_GT(rest, 3.0f * gen::MorphModels::kRadius) << "legs at rest";
    EXPECT_GT(reach, 1.25f * rest) << "the swollen legs reach out";
    EXPECT_GT(swollenHeight, 1.6f * restHeight) << "the swollen abdomen rises";
    EXPECT_GT(signedVolume(end), 4.0 * signedVolume(start)) << "the abdomen blows up";
}

TEST_F(Models, TitleFacesAreOrderedLeftToRight) {
    for (const std::string& file : kTitles) {
        L3DS reader;
        ASSERT_TRUE(load(file, reader));
        const ModelMesh& mesh = reader.GetMesh(0);
        float last = -1e9f;
        for (size_t i = 0; i < mesh.GetTriangleCount(); ++i) {
            const ExpandedTriangle t = mesh.GetExpandedTriangle(i);
            const float x = t.positions[0].x + t.positions[1].x + t.positions[2].x;
            ASSERT_GE(x, last) << file << " face " << i;
            last = x;
        }
    }
}

TEST_F(Models, RecordAndPlatterTurnAboutTheirOwnCentre) {
    for (const std::string& file : {kTurntable[1], kTurntable[2]}) {
        L3DS reader;
        ASSERT_TRUE(load(file, reader));
        const ModelMesh& mesh = reader.GetMesh(0);
        float minX = 1e9f, maxX = -1e9f, minY = 1e9f, maxY = -1e9f;
        for (size_t i = 0; i < mesh.GetVertexCount(); ++i) {
            const Vec4f p = mesh.GetVertex(i);
            minX = std::min(minX, p.x);
            maxX = std::max(maxX, p.x);
            minY = std::min(minY, p.y);
            maxY = std::max(maxY, p.y);
        }
        // Scaled by 0.01 and moved by (0.06, 0.35) the centre must land on the turning axis.
        EXPECT_NEAR((minX + maxX) * 0.5f * 0.01f + 0.06f, 0.0f, 1e-3f) << file;
        EXPECT_NEAR((minY + maxY) * 0.5f * 0.01f + 0.35f, 0.0f, 1e-3f) << file;
    }
    L3DS disc;
    ASSERT_TRUE(load(kTurntable[2], disc));
    const ModelMesh& mesh = disc.GetMesh(0);
    // The top face's centre shows the middle of the label picture.
    for (size_t i = 0; i < mesh.GetVertexCount(); ++i) {
        const Vec4f p = mesh.GetVertex(i);
        if (p.x == gen::TurntableModels::kPlatterX && p.y == gen::TurntableModels::kPlatterY &&
            mesh.GetNormal(i).z > 0.5f) {
            EXPECT_FLOAT_EQ(mesh.GetUv(i).u, 0.5f);
            EXPECT_FLOAT_EQ(mesh.GetUv(i).v, 0.5f);
        }
    }
}

TEST_F(Models, SameBytesEveryRun) {
    const fs::path again = root_ / "again";
    gen::OutputDirectory out(again.string());
    ASSERT_TRUE(gen::produceModels(out));
    size_t compared = 0;
    for (const auto& entry : fs::recursive_directory_iterator(again)) {
        if (entry.is_regular_file()) {
            const fs::path first = root_ / fs::relative(entry.path(), again);
            EXPECT_EQ(readBytes(entry.path()), readBytes(first)) << first;
            ++compared;
        }
    }
    EXPECT_EQ(compared, 22u);
}

}  // namespace
