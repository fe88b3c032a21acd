#include "vintra-gen/models/three_ds_writer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "objects/l3ds.h"

namespace {

gen::ThreeDsModel twoObjects() {
    gen::ThreeDsModel model;
    model.materials.push_back({"stone", {10, 20, 30}, {255, 128, 0}, {0, 0, 255}, "", 100});
    model.materials.push_back({"wood", {}, {51, 51, 51}, {}, "WOOD.JPG", 75});
    gen::ThreeDsObject quad;
    quad.name = "quad";
    quad.vertices = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 2.5f}};
    quad.uvs = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    quad.faces = {{0, 1, 2, 4, 1}, {0, 2, 3, 8, 0}};
    gen::ThreeDsObject bare;
    bare.name = "bare";
    bare.vertices = {{0, 0, 0}, {0, 0, 1}, {0, 1, 0}};
    bare.faces = {{0, 1, 2, 1, -1}};
    model.objects = {quad, bare};
    return model;
}

}  // namespace

TEST(ThreeDsWriter, OutputReadsBackWithTheReader) {
    gen::ThreeDsWriter writer;
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(writer.write(twoObjects(), bytes)) << writer.error();
    L3DS reader;
    std::vector<std::string> messages;
    reader.SetErrorHook([&](const std::string& m) { messages.push_back(m); });
    ASSERT_TRUE(reader.LoadFromMemory(bytes.data(), bytes.size()));
    EXPECT_EQ(messages.size(), 0u);

    ASSERT_EQ(reader.GetMaterialCount(), 2u);
    const ModelMaterial& stone = reader.GetMaterial(0);
    EXPECT_EQ(stone.GetName(), "stone");
    EXPECT_FLOAT_EQ(stone.GetAmbient().g, 20 / 255.0f);
    EXPECT_FLOAT_EQ(stone.GetDiffuse().r, 1.0f);
    EXPECT_FLOAT_EQ(stone.GetSpecular().b, 1.0f);
    EXPECT_EQ(stone.GetTexture1().name, "");
    const ModelMaterial& wood = reader.GetMaterial(1);
    EXPECT_EQ(wood.GetTexture1().name, "WOOD.JPG");
    EXPECT_FLOAT_EQ(wood.GetTexture1().strength, 0.75f);

    ASSERT_EQ(reader.GetMeshCount(), 2u);
    ModelMesh& quad = reader.GetMesh(0);
    EXPECT_EQ(quad.GetName(), "quad");
    ASSERT_EQ(quad.GetTriangleCount(), 2u);
    EXPECT_EQ(quad.GetMeshTriangle(0).smoothing, 4u);
    EXPECT_EQ(quad.GetMeshTriangle(1).smoothing, 8u);
    EXPECT_EQ(quad.GetVertexCount(), 6u) << "two masks split the shared edge";
    ASSERT_EQ(quad.GetMaterialCount(), 2u);
    EXPECT_EQ(quad.GetMaterial(0), 1u) << "groups in order of first use";
    EXPECT_EQ(quad.GetMaterial(1), 0u);
    const ExpandedTriangle second = quad.GetExpandedTriangle(1);
    EXPECT_FLOAT_EQ(second.positions[2].z, 2.5f);
    EXPECT_FLOAT_EQ(second.uvs[2].v, 1.0f);
    EXPECT_EQ(second.material, 0u);

    ModelMesh& bare = reader.GetMesh(1);
    EXPECT_EQ(bare.GetName(), "bare");
    EXPECT_EQ(bare.GetMaterialCount(), 0u);
    EXPECT_FLOAT_EQ(bare.GetVertex(1).z, 1.0f);
    EXPECT_FLOAT_EQ(bare.GetNormal(0).x, -1.0f);
}

TEST(ThreeDsWriter, RefusesModelsBeyondTheFormat) {
    gen::ThreeDsWriter writer;
    std::vector<uint8_t> bytes;
    gen::ThreeDsModel model = twoObjects();
    model.materials[1].name = std::string(20, 'm');
    EXPECT_FALSE(writer.write(model, bytes));
    EXPECT_TRUE(bytes.empty());

    model = twoObjects();
    model.objects[0].faces[0].c = 4;
    EXPECT_FALSE(writer.write(model, bytes));

    model = twoObjects();
    model.objects[1].vertices.resize(65536);
    EXPECT_FALSE(writer.write(model, bytes));
    EXPECT_FALSE(writer.error().empty());
}
