// The reader against real third-party 3DS files and the tables made from them by other tools.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "objects/l3ds.h"

namespace {

const std::string kTables = TARVEL_SHARED_TESTDATA "/3ds/";
const std::string kModels = kTables + "assimp/";

using Row = std::map<std::string, std::string>;

std::vector<std::string> splitTabs(const std::string& line) {
    std::vector<std::string> fields;
    std::string field;
    std::istringstream in(line);
    while (std::getline(in, field, '\t')) {
        fields.push_back(field);
    }
    if (!line.empty() && line.back() == '\t') {
        fields.emplace_back();
    }
    return fields;
}

// Rows keyed by the header's column names; cells keep their spaces ("Gold " is a name).
std::vector<Row> readTable(const std::string& name) {
    std::ifstream in(kTables + name);
    std::vector<Row> rows;
    std::string line;
    if (!std::getline(in, line)) {
        return rows;
    }
    const std::vector<std::string> columns = splitTabs(line);
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        const std::vector<std::string> cells = splitTabs(line);
        Row row;
        for (size_t i = 0; i < columns.size(); ++i) {
            row[columns[i]] = i < cells.size() ? cells[i] : "";
        }
        rows.push_back(row);
    }
    return rows;
}

bool loadModel(L3DS& reader, const std::string& file) {
    return reader.LoadFile((kModels + file).c_str());
}

std::string groupNames(L3DS& reader, ModelMesh& mesh) {
    std::string names;
    for (size_t i = 0; i < mesh.GetMaterialCount(); ++i) {
        names += (i ? ";" : "") + reader.GetMaterial(mesh.GetMaterial(i)).GetName();
    }
    return names;
}

class L3DSFiles : public ::testing::Test {
protected:
    void SetUp() override {
        if (!std::filesystem::is_directory(kModels)) {
            GTEST_SKIP() << "3DS test files not found in " << kModels;
        }
    }
};

}  // namespace

TEST_F(L3DSFiles, EveryFileLoadsWithSoundMeshesAndEmptyFails) {
    size_t files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(kModels)) {
        const std::string name = entry.path().filename().string();
        L3DS reader;
        if (name == "empty.3ds") {
            EXPECT_FALSE(loadModel(reader, name));
            EXPECT_EQ(reader.GetMeshCount(), 0u);
            continue;
        }
        ++files;
        ASSERT_TRUE(loadModel(reader, name)) << name;
        EXPECT_GT(reader.GetMeshCount(), 0u) << name;
        for (size_t m = 0; m < reader.GetMeshCount(); ++m) {
            ModelMesh& mesh = reader.GetMesh(m);
            for (size_t f = 0; f < mesh.GetTriangleCount(); ++f) {
                const IndexedTriangle t = mesh.GetTriangle(f);
                ASSERT_LT(std::max({t.a, t.b, t.c}), mesh.GetVertexCount()) << name;
                const Vec3f n = mesh.GetNormal(t.a);
                const float length = std::sqrt(n.x * n.x + n.y * n.y + n.z * n.z);
                EXPECT_TRUE(length == 0.0f || std::fabs(length - 1.0f) < 1e-4f) << name;
            }
        }
    }
    EXPECT_EQ(files, 14u);
}

TEST_F(L3DSFiles, MeshesMatchTheChunkWalkAndPeerCounts) {
    std::map<std::string, std::vector<Row>> meshesByFile;
    for (const Row& row : readTable("chunk-walk.tsv")) {
        if (!row.at("mesh").empty()) {
            meshesByFile[row.at("file")].push_back(row);
        }
    }
    ASSERT_FALSE(meshesByFile.empty()) << "chunk-walk.tsv missing or empty";
    for (const auto& [file, rows] : meshesByFile) {
        L3DS reader;
        ASSERT_TRUE(loadModel(reader, file)) << file;
        ASSERT_EQ(reader.GetMeshCount(), rows.size()) << file;
        for (size_t m = 0; m < rows.size(); ++m) {
            ModelMesh& mesh = reader.GetMesh(m);
            EXPECT_EQ(mesh.GetName(), rows[m].at("mesh")) << file;
            EXPECT_EQ(mesh.GetTriangleCount(), std::stoul(rows[m].at("faces"))) << file;
            EXPECT_GE(mesh.GetVertexCount(), std::stoul(rows[m].at("vertices"))) << file;
            EXPECT_EQ(groupNames(reader, mesh), rows[m].at("materials")) << file;
        }
    }
    for (const Row& row : readTable("assimp-info.tsv")) {
        L3DS reader;
        const bool loaded = loadModel(reader, row.at("file"));
        EXPECT_EQ(loaded, row.at("loaded") == "yes") << row.at("file");
        if (!loaded) {
            continue;
        }
        size_t faces = 0;
        for (size_t m = 0; m < reader.GetMeshCount(); ++m) {
            faces += reader.GetMesh(m).GetTriangleCount();
        }
        EXPECT_EQ(reader.GetMeshCount(), std::stoul(row.at("raw_meshes"))) << row.at("file");
        EXPECT_EQ(faces, std::stoul(row.at("raw_faces"))) << row.at("file");
    }
}

TEST_F(L3DSFiles, MaterialsMatchTheChunkWalk) {
    std::map<std::string, std::vector<Row>> byFile;
    for (const Row& row : readTable("chunk-walk-materials.tsv")) {
        byFile[row.at("file")].push_back(row);
    }
    ASSERT_FALSE(byFile.empty()) << "chunk-walk-materials.tsv missing or empty";
    for (const auto& [file, rows] : byFile) {
        L3DS reader;
        ASSERT_TRUE(loadModel(reader, file)) << file;
        ASSERT_EQ(reader.GetMaterialCount(), rows.size()) << file;
        for (size_t i = 0; i < rows.size(); ++i) {
            ModelMaterial& material = reader.GetMaterial(i);
            EXPECT_EQ(material.GetId(), i) << file;
            EXPECT_EQ(material.GetName(), rows[i].at("material")) << file;
            EXPECT_EQ(material.GetTexture1().name, rows[i].at("texture1")) << file;
        }
    }
}
