#include "objects/l3ds.h"
#include "objects/three_ds_chunk_ids.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "objects/chunk_bytes.h"

namespace {

struct Face {
    uint16_t a, b, c;
    uint32_t mask;
};

// A reader whose messages are collected.
struct Reader {
    L3DS l3ds;
    std::vector<std::string> messages;
    Reader() {
        l3ds.SetErrorHook([this](const std::string& m) { messages.push_back(m); });
    }
    bool load(const std::vector<uint8_t>& bytes) {
        return l3ds.LoadFromMemory(bytes.data(), bytes.size());
    }
    bool said(const std::string& m) const {
        for (const std::string& s : messages) {
            if (s == m) {
                return true;
            }
        }
        return false;
    }
};

// main { editor { body } keyframer }: the keyframer keeps model values out of the last bytes.
std::vector<uint8_t> file(const std::function<void(ChunkBytes&)>& body) {
    ChunkBytes b;
    b.begin(chunk::kMain).begin(chunk::kEditor);
    body(b);
    b.end().begin(chunk::kKeyframer).end().end();
    return b.bytes;
}

void meshObject(ChunkBytes& b, const std::string& name, const std::vector<Vec3f>& vertices,
                const std::vector<Face>& faces) {
    b.begin(chunk::kNamedObject).text(name).begin(chunk::kMesh);
    b.begin(chunk::kVertexList).u16(static_cast<uint16_t>(vertices.size()));
    for (const Vec3f& v : vertices) {
        b.vec3(v.x, v.y, v.z);
    }
    b.end().begin(chunk::kFaceList).u16(static_cast<uint16_t>(faces.size()));
    for (const Face& f : faces) {
        b.u16(f.a).u16(f.b).u16(f.c).u16(7);
    }
    b.begin(chunk::kSmoothingGroups);
    for (const Face& f : faces) {
        b.u32(f.mask);
    }
    b.end().end().end().end();
}

const std::vector<Vec3f> kCubeCorners = {{-1, -1, -1}, {1, -1, -1}, {1, 1, -1}, {-1, 1, -1},
                                         {-1, -1, 1},  {1, -1, 1},  {1, 1, 1},  {-1, 1, 1}};

// Twelve outward-facing triangles, two per side; side s carries masks[s]. Every diagonal joins
// two of corners 0, 2, 5, 7, so each corner weighs its three sides equally.
std::vector<Face> cubeFaces(const uint32_t masks[6]) {
    const uint16_t quads[6][4] = {{0, 3, 2, 1}, {5, 6, 7, 4}, {0, 1, 5, 4},
                                  {2, 3, 7, 6}, {2, 6, 5, 1}, {0, 4, 7, 3}};
    std::vector<Face> faces;
    for (int s = 0; s < 6; ++s) {
        const uint16_t* q = quads[s];
        faces.push_back({q[0], q[1], q[2], masks[s]});
        faces.push_back({q[0], q[2], q[3], masks[s]});
    }
    return faces;
}

void expectVec(const Vec3f& v, float x, float y, float z, const char* what) {
    EXPECT_NEAR(v.x, x, 1e-5f) << what;
    EXPECT_NEAR(v.y, y, 1e-5f) << what;
    EXPECT_NEAR(v.z, z, 1e-5f) << what;
}

bool indicesValid(ModelMesh& mesh) {
    for (size_t f = 0; f < mesh.GetTriangleCount(); ++f) {
        const IndexedTriangle t = mesh.GetTriangle(f);
        const size_t n = mesh.GetVertexCount();
        if (t.a >= n || t.b >= n || t.c >= n) {
            return false;
        }
    }
    return true;
}

}  // namespace

TEST(L3DS, RefusesWrongFirstChunkAndMissingEditor) {
    Reader r;
    ASSERT_TRUE(r.load(file([](ChunkBytes& b) { meshObject(b, "tri", kCubeCorners, {}); })));
    ASSERT_EQ(r.l3ds.GetMeshCount(), 1u);

    ChunkBytes wrong;
    wrong.begin(0x4D4C).begin(chunk::kEditor).end().end();
    EXPECT_FALSE(r.load(wrong.bytes));
    EXPECT_TRUE(r.said("L3DS::Read3DS - wrong file format"));
    EXPECT_EQ(r.l3ds.GetMeshCount(), 0u) << "a format failure empties the model";

    r.messages.clear();
    ChunkBytes noEditor;
    noEditor.begin(chunk::kMain).begin(chunk::kKeyframer).end().end();
    EXPECT_FALSE(r.load(noEditor.bytes));
    EXPECT_TRUE(r.messages.empty()) << "a missing editor section fails silently";

    EXPECT_FALSE(r.load({}));
    EXPECT_TRUE(r.said("L3DS::Read3DS - wrong file format"));
}

TEST(L3DS, MissingFileKeepsThePreviousModel) {
    Reader r;
    ASSERT_TRUE(r.load(file([](ChunkBytes& b) { meshObject(b, "kept", kCubeCorners, {}); })));
    EXPECT_FALSE(r.l3ds.LoadFile("no/such/dir/model.3ds"));
    EXPECT_TRUE(r.said("L3DS::LoadFile - cannot open file"));
    ASSERT_EQ(r.l3ds.GetMeshCount(), 1u);
    EXPECT_EQ(r.l3ds.GetMesh(0).GetName(), "kept");
}

TEST(L3DS, ReadsMaterialsAndDropsOneWithoutReflectionName) {
    Reader r;
    ASSERT_TRUE(r.load(file([](ChunkBytes& b) {
        b.begin(chunk::kMaterialBlock).begin(chunk::kMaterialName).text("first").end();
        b.begin(chunk::kAmbient).begin(chunk::kColorByte).u8(255).u8(0).u8(51).end().end();
        b.begin(chunk::kDiffuse).begin(chunk::kColorFloat).vec3(0.25f, 0.5f, 0.75f).end().end();
        b.begin(chunk::kShininess).begin(chunk::kPercentInt).u16(150).end().end();  // clamps to 1
        b.begin(chunk::kTransparency).begin(chunk::kPercentFloat).f32(-0.5f).end().end();  // clamps
                                                                                           // to 0
        b.begin(chunk::kShading).u16(3).end();
        b.begin(chunk::kTexture1)
            .begin(chunk::kPercentInt)
            .u16(60)
            .end()
            .begin(chunk::kSlotFileName)
            .text("WOOD.JPG")
            .end();
        b.begin(chunk::kSlotUScale)
            .f32(2.0f)
            .end()
            .begin(chunk::kSlotUOffset)
            .f32(0.5f)
            .end()
            .end();
        b.begin(chunk::kReflectionMap)
            .begin(chunk::kPercentInt)
            .u16(40)
            .end()
            .begin(chunk::kSlotFileName)
            .text("")
            .end()
            .end();
        b.end();
        // Reflection slot with no file-name chunk: the whole material is dropped.
        b.begin(chunk::kMaterialBlock).begin(chunk::kMaterialName).text("dropped").end();
        b.begin(chunk::kReflectionMap)
            .begin(chunk::kPercentInt)
            .u16(10)
            .end()
            .begin(chunk::kSlotUScale)
            .f32(1)
            .end()
            .end();
        b.end();
        b.begin(chunk::kMaterialBlock)
            .begin(chunk::kMaterialName)
            .text(std::string(40, 'n'))
            .end()
            .begin(chunk::kWireframe)
            .end();
        b.begin(chunk::kSpecular).begin(chunk::kPercentInt).u16(1).end().end();
        b.end();
    })));
    ASSERT_EQ(r.l3ds.GetMaterialCount(), 2u);
    EXPECT_TRUE(r.said("L3DS::ReadMaterial - error, expected chunk not found"));
    EXPECT_TRUE(r.said("L3DS::ReadColor - error this is not a color chunk"));

    ModelMaterial& first = r.l3ds.GetMaterial(0);
    EXPECT_EQ(first.GetId(), 0u);
    EXPECT_EQ(first.GetName(), "first");
    EXPECT_FLOAT_EQ(first.GetAmbient().r, 1.0f);
    EXPECT_FLOAT_EQ(first.GetAmbient().b, 0.2f);
    EXPECT_FLOAT_EQ(first.GetDiffuse().g, 0.5f);
    EXPECT_FLOAT_EQ(first.GetShininess(), 1.0f);
    EXPECT_FLOAT_EQ(first.GetTransparency(), 0.0f);
    EXPECT_EQ(first.GetShading(), 3);
    const TextureSlot& t1 = first.GetTexture1();
    EXPECT_EQ(t1.name, "WOOD.JPG");
    EXPECT_FLOAT_EQ(t1.strength, 0.6f);
    EXPECT_FLOAT_EQ(t1.uScale, 2.0f);
    EXPECT_FLOAT_EQ(t1.vScale, 1.0f);
    EXPECT_FLOAT_EQ(t1.uOffset, 0.5f);
    const TextureSlot& reflection = first.GetTextureSlot(ModelMaterial::Reflection);
    EXPECT_EQ(reflection.name, "auto");
    EXPECT_FLOAT_EQ(reflection.strength, 0.4f);

    ModelMaterial& third = r.l3ds.GetMaterial(1);
    EXPECT_EQ(third.GetId(), 1u) << "ids stay consecutive after a dropped material";
    EXPECT_EQ(third.GetName(), std::string(29, 'n'));
    EXPECT_EQ(third.GetShading(), 0);
    EXPECT_EQ(r.l3ds.FindMaterial("dropped"), nullptr);
}

TEST(L3DS, CubeSplitsVerticesOnlyAcrossDifferentMasks) {
    const uint32_t six[6] = {1, 2, 4, 8, 16, 32};
    Reader r;
    ASSERT_TRUE(
        r.load(file([&](ChunkBytes& b) { meshObject(b, "cube", kCubeCorners, cubeFaces(six)); })));
    ModelMesh& split = r.l3ds.GetMesh(0);
    ASSERT_EQ(split.GetVertexCount(), 24u);
    ASSERT_EQ(split.GetTriangleCount(), 12u);
    for (size_t f = 0; f < 12; ++f) {
        const ExpandedTriangle t = split.GetExpandedTriangle(f);
        for (int k = 0; k < 3; ++k) {
            expectVec(t.normals[k], t.faceNormal.x, t.faceNormal.y, t.faceNormal.z,
                      "a hard-edged cube's vertex normal is its side's normal");
        }
    }
    expectVec(split.GetExpandedTriangle(0).faceNormal, 0, 0, -1, "bottom side");

    const uint32_t one[6] = {1, 1, 1, 1, 1, 1};
    ASSERT_TRUE(
        r.load(file([&](ChunkBytes& b) { meshObject(b, "cube", kCubeCorners, cubeFaces(one)); })));
    ModelMesh& smooth = r.l3ds.GetMesh(0);
    ASSERT_EQ(smooth.GetVertexCount(), 8u);
    const float d = 1.0f / std::sqrt(3.0f);
    for (size_t v = 0; v < 8; ++v) {
        const Vec4f p = smooth.GetVertex(v);
        expectVec(smooth.GetNormal(v), p.x * d, p.y * d, p.z * d, "diagonal normal");
    }
}

TEST(L3DS, MasksSharingABitButNotEqualDoNotShareNormals) {
    const std::vector<Vec3f> hinge = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    auto load = [&](uint32_t second) {
        Reader r;
        EXPECT_TRUE(r.load(file([&](ChunkBytes& b) {
            meshObject(b, "hinge", hinge, {{0, 1, 2, 1}, {0, 3, 1, second}});
        })));
        ModelMesh mesh = r.l3ds.GetMesh(0);
        return mesh;
    };
    ModelMesh apart = load(3);
    EXPECT_EQ(apart.GetVertexCount(), 6u);
    expectVec(apart.GetNormal(0), 0, 0, 1, "first face keeps the shared corner");
    expectVec(apart.GetExpandedTriangle(1).normals[0], 0, 1, 0, "second face has its own");

    ModelMesh together = load(1);
    EXPECT_EQ(together.GetVertexCount(), 4u);
    const float d = 1.0f / std::sqrt(2.0f);
    expectVec(together.GetNormal(0), 0, d, d, "equal masks average");
}

TEST(L3DS, TextureCoordinatesBeforeVerticesSizeTheArrays) {
    Reader r;
    ASSERT_TRUE(r.load(file([](ChunkBytes& b) {
        b.begin(chunk::kNamedObject).text("uvfirst").begin(chunk::kMesh);
        b.begin(chunk::kUvList)
            .u16(3)
            .f32(0.1f)
            .f32(0.2f)
            .f32(0.3f)
            .f32(0.4f)
            .f32(0.5f)
            .f32(0.6f)
            .end();
        b.begin(chunk::kVertexList)
            .u16(4)
            .vec3(0, 0, 0)
            .vec3(1, 0, 0)
            .vec3(0, 1, 0)
            .vec3(1, 1, 0)
            .end();
        b.end().end();
    })));
    ModelMesh& mesh = r.l3ds.GetMesh(0);
    EXPECT_EQ(mesh.GetVertexCount(), 4u) << "the later vertex list resizes";
    EXPECT_FLOAT_EQ(mesh.GetUv(2).v, 0.6f);
    EXPECT_FLOAT_EQ(mesh.GetUv(3).u, 0.0f);
    EXPECT_FLOAT_EQ(mesh.GetVertex(3).y, 1.0f);
    EXPECT_FLOAT_EQ(mesh.GetVertex(3).w, 1.0f);
}

TEST(L3DS, LongObjectNameSkipsTheObject) {
    Reader r;
    ASSERT_TRUE(r.load(file([](ChunkBytes& b) {
        meshObject(b, std::string(98, 'a'), kCubeCorners, {});
        meshObject(b, std::string(120, 'b'), kCubeCorners, {});
        meshObject(b, "after", kCubeCorners, {});
    })));
    ASSERT_EQ(r.l3ds.GetMeshCount(), 2u);
    EXPECT_EQ(r.l3ds.GetMesh(0).GetName(), std::string(98, 'a'));
    EXPECT_EQ(r.l3ds.GetMesh(1).GetName(), "after");
}

TEST(L3DS, LastBytesAndTruncationReadAsZeros) {
    ChunkBytes b;
    b.begin(chunk::kMain)
        .begin(chunk::kEditor)
        .begin(chunk::kNamedObject)
        .text("end")
        .begin(chunk::kMesh);
    b.begin(chunk::kVertexList).u16(2).vec3(1, 2, 3).vec3(4, 5, 6).end().end().end().end().end();
    Reader r;
    ASSERT_TRUE(r.load(b.bytes));
    ModelMesh& mesh = r.l3ds.GetMesh(0);
    ASSERT_EQ(mesh.GetVertexCount(), 2u);
    EXPECT_FLOAT_EQ(mesh.GetVertex(1).y, 5.0f);
    EXPECT_FLOAT_EQ(mesh.GetVertex(1).z, 0.0f) << "the file's last four bytes never read";

    std::vector<uint8_t> cut(b.bytes.begin(), b.bytes.end() - 6);  // inside the second vertex
    ASSERT_TRUE(r.load(cut));
    ModelMesh& partial = r.l3ds.GetMesh(0);
    ASSERT_EQ(partial.GetVertexCount(), 2u);
    EXPECT_FLOAT_EQ(partial.GetVertex(0).z, 3.0f);
    EXPECT_FLOAT_EQ(partial.GetVertex(1).x, 4.0f);
    EXPECT_FLOAT_EQ(partial.GetVertex(1).y, 0.0f);
    EXPECT_FLOAT_EQ(partial.GetVertex(1).w, 1.0f);
}

TEST(L3DS, EveryTruncationOfAFullFileLoadsSafely) {
    const uint32_t masks[6] = {1, 2, 1, 2, 4, 4};
    const std::vector<uint8_t> whole = file([&](ChunkBytes& b) {
        b.begin(chunk::kMaterialBlock).begin(chunk::kMaterialName).text("m").end();
        b.begin(chunk::kTexture1).begin(chunk::kSlotFileName).text("T.JPG").end().end().end();
        meshObject(b, "cube", kCubeCorners, cubeFaces(masks));
        b.begin(chunk::kNamedObject).text("lamp").begin(chunk::kLight).vec3(1, 2, 3);
        b.begin(chunk::kColorByte).u8(255).u8(255).u8(255).end();
        b.begin(chunk::kSpot).vec3(0, 0, 0).f32(10).f32(20).end().end().end();
    });
    Reader r;
    ASSERT_TRUE(r.load(whole));
    EXPECT_EQ(r.l3ds.GetLightCount(), 1u);
    EXPECT_FLOAT_EQ(r.l3ds.GetLight(0).falloff, 20.0f);
    EXPECT_FLOAT_EQ(r.l3ds.GetLight(0).color.g, 1.0f);
    for (size_t n = 0; n < whole.size(); ++n) {
        const std::vector<uint8_t> cut(whole.begin(), whole.begin() + n);
        r.load(cut);
        for (size_t m = 0; m < r.l3ds.GetMeshCount(); ++m) {
            EXPECT_TRUE(indicesValid(r.l3ds.GetMesh(m))) << "cut at " << n;
        }
    }
}

TEST(L3DS, BrokenChunkLengthsTerminate) {
    Reader r;
    // Lengths 0 and 3 would point before the cursor; they are taken as empty chunks.
    ChunkBytes zero;
    zero.begin(chunk::kMain)
        .begin(chunk::kEditor)
        .header(chunk::kMaterialBlock, 0)
        .header(chunk::kNamedObject, 3)
        .text("x");
    zero.header(chunk::kMesh, 0).header(chunk::kVertexList, 2).end().end();
    EXPECT_TRUE(r.load(zero.bytes));

    // Lengths past the end of the buffer: reads stop at the end.
    ChunkBytes past;
    past.header(chunk::kMain, 0xFFFFFFFF)
        .header(chunk::kEditor, 0xFFFFFFF0)
        .header(chunk::kNamedObject, 0x7FFFFFFF);
    past.text("big").header(chunk::kMesh, 0xFFFFFF00).header(chunk::kVertexList, 0xFFFFFF00).u16(3);
    past.vec3(1, 2, 3).vec3(4, 5, 6).header(chunk::kFaceList, 500).u16(65535).u16(0).u16(1).u16(2);
    EXPECT_TRUE(r.load(past.bytes));
    ASSERT_EQ(r.l3ds.GetMeshCount(), 1u);
    ModelMesh& mesh = r.l3ds.GetMesh(0);
    EXPECT_LE(mesh.GetVertexCount(), 3u);
    EXPECT_TRUE(indicesValid(mesh));

    // A loop whose last block ends exactly at the end of the buffer.
    ChunkBytes exact;
    exact.begin(chunk::kMain)
        .begin(chunk::kEditor)
        .begin(chunk::kMaterialBlock)
        .begin(chunk::kMaterialName)
        .text("last")
        .end();
    exact.end().end().end();
    EXPECT_TRUE(r.load(exact.bytes));
    ASSERT_EQ(r.l3ds.GetMaterialCount(), 1u);
    EXPECT_EQ(r.l3ds.GetMaterial(0).GetName(), "last");
}

TEST(L3DS, HugeCountsOverFewBytesAllocateLittle) {
    Reader r;
    ASSERT_TRUE(r.load(file([](ChunkBytes& b) {
        b.begin(chunk::kNamedObject).text("liar").begin(chunk::kMesh);
        b.begin(chunk::kVertexList).u16(65535).vec3(1, 1, 1).end();
        b.begin(chunk::kUvList).u16(65535).f32(0.5f).end();
        b.begin(chunk::kFaceList).u16(65535).u16(0).u16(0).u16(0).u16(0).end();
        b.begin(chunk::kFaceList).u16(1).u16(0).u16(0).u16(0).u16(0);
        b.begin(chunk::kMaterialGroup).text("nothing").u16(65535).end();
        b.begin(chunk::kSmoothingGroups).u32(9).end().end();
        b.end().end();
    })));
    ModelMesh& mesh = r.l3ds.GetMesh(0);
    EXPECT_EQ(mesh.GetVertexCount(), 1u);
    ASSERT_EQ(mesh.GetTriangleCount(), 1u);
    EXPECT_EQ(mesh.GetMeshTriangle(0).smoothing, 9u);
    EXPECT_EQ(mesh.GetMaterialCount(), 0u) << "a group naming no material is skipped";
}

TEST(L3DS, FacesPastTheVertexListAreRemoved) {
    Reader r;
    ASSERT_TRUE(r.load(file([](ChunkBytes& b) {
        meshObject(b, "bad", {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}},
                   {{0, 1, 7, 1}, {0, 1, 2, 2}, {65535, 0, 1, 1}});
    })));
    ModelMesh& mesh = r.l3ds.GetMesh(0);
    ASSERT_EQ(mesh.GetTriangleCount(), 1u);
    EXPECT_EQ(mesh.GetMeshTriangle(0).smoothing, 2u) << "the valid face keeps its own mask";
    EXPECT_EQ(mesh.GetVertexCount(), 3u);
    EXPECT_TRUE(r.said("L3DS::ReadMesh - faces with a corner past the vertex list were removed"));
}

TEST(L3DS, MaterialGroupsSetTheMeshListAndFaceMaterials) {
    Reader r;
    ASSERT_TRUE(r.load(file([](ChunkBytes& b) {
        b.begin(chunk::kMaterialBlock).begin(chunk::kMaterialName).text("red").end().end();
        b.begin(chunk::kMaterialBlock).begin(chunk::kMaterialName).text("blue").end().end();
        b.begin(chunk::kNamedObject).text("two").begin(chunk::kMesh);
        b.begin(chunk::kVertexList)
            .u16(4)
            .vec3(0, 0, 0)
            .vec3(1, 0, 0)
            .vec3(0, 1, 0)
            .vec3(1, 1, 0)
            .end();
        b.begin(chunk::kFaceList).u16(2).u16(0).u16(1).u16(2).u16(7).u16(1).u16(3).u16(2).u16(7);
        b.begin(chunk::kMaterialGroup).text("blue").u16(1).u16(1).end();
        b.begin(chunk::kMaterialGroup).text("red").u16(2).u16(0).u16(900).end();
        b.begin(chunk::kMaterialGroup).text("blue").u16(0).end();
        b.end().end().end();
    })));
    ModelMesh& mesh = r.l3ds.GetMesh(0);
    ASSERT_EQ(mesh.GetMaterialCount(), 3u);
    EXPECT_EQ(mesh.GetMaterial(0), 1u);
    EXPECT_EQ(mesh.GetMaterial(1), 0u);
    EXPECT_EQ(mesh.GetMaterial(2), 1u);
    EXPECT_EQ(mesh.GetExpandedTriangle(0).material, 0u);
    EXPECT_EQ(mesh.GetExpandedTriangle(1).material, 1u);
}

TEST(L3DS, TangentsFollowTheTextureAxesAndSurviveDegenerateUvs) {
    auto quad = [](bool mapped) {
        return file([mapped](ChunkBytes& b) {
            b.begin(chunk::kNamedObject).text("quad").begin(chunk::kMesh);
            b.begin(chunk::kVertexList).u16(3).vec3(0, 0, 0).vec3(1, 0, 0).vec3(0, 1, 0).end();
            if (mapped) {
                b.begin(chunk::kUvList).u16(3).f32(0).f32(0).f32(1).f32(0).f32(0).f32(1).end();
            }
            b.begin(chunk::kFaceList).u16(1).u16(0).u16(1).u16(2).u16(7).end();
            b.end().end();
        });
    };
    Reader r;
    ASSERT_TRUE(r.load(quad(true)));
    expectVec(r.l3ds.GetMesh(0).GetTangent(1), 1, 0, 0, "tangent along u");
    expectVec(r.l3ds.GetMesh(0).GetBinormal(1), 0, -1, 0, "tangent x normal");
    expectVec(r.l3ds.GetMesh(0).GetNormal(1), 0, 0, 1, "normal");

    ASSERT_TRUE(r.load(quad(false)));
    EXPECT_FALSE(std::isfinite(r.l3ds.GetMesh(0).GetTangent(0).x)) << "division kept as is";
    EXPECT_EQ(r.l3ds.GetMesh(0).GetExpandedTriangle(0).positions[1].x, 1.0f);
}

TEST(L3DS, SplitsStopWhenIndicesRunOut) {
    std::vector<Vec3f> vertices(ModelMesh::kMaxVertices);
    for (size_t i = 0; i < vertices.size(); ++i) {
        vertices[i] = {static_cast<float>(i), static_cast<float>(i % 7), 0};
    }
    std::vector<Face> faces;
    for (size_t i = 0; i + 2 < vertices.size(); i += 3) {
        faces.push_back({static_cast<uint16_t>(i), static_cast<uint16_t>(i + 1),
                         static_cast<uint16_t>(i + 2), 1});
    }
    faces.push_back({0, 4, 8, 2});  // would need three more vertices
    Reader r;
    ASSERT_TRUE(r.load(file([&](ChunkBytes& b) { meshObject(b, "full", vertices, faces); })));
    ModelMesh& mesh = r.l3ds.GetMesh(0);
    EXPECT_EQ(mesh.GetVertexCount(), ModelMesh::kMaxVertices);
    EXPECT_TRUE(indicesValid(mesh));
}
