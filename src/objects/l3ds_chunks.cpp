// L3DS: the readers of the chunks inside the editor section (materials, meshes, lights).
#include <utility>

#include "objects/l3ds.h"

namespace {

enum : uint16_t {
    kColorFloat = 0x0010,
    kColorByte = 0x0011,
    kColorByteLinear = 0x0012,
    kColorFloatLinear = 0x0013,
    kPercentInt = 0x0030,
    kPercentFloat = 0x0031,
    kVertexList = 0x4110,
    kFaceList = 0x4120,
    kMaterialGroup = 0x4130,
    kUvList = 0x4140,
    kSmoothingGroups = 0x4150,
    kLocalAxes = 0x4160,
    kSpot = 0x4610,
    kMaterialName = 0xA000,
    kAmbient = 0xA010,
    kDiffuse = 0xA020,
    kSpecular = 0xA030,
    kShininess = 0xA040,
    kTransparency = 0xA050,
    kWireframe = 0xA085,
    kShading = 0xA100,
    kTexture1 = 0xA200,
    kSpecularMap = 0xA204,
    kOpacityMap = 0xA210,
    kReflectionMap = 0xA220,
    kBumpMap = 0xA230,
    kTexture2 = 0xA33A,
    kSlotFileName = 0xA300,
    kSlotUScale = 0xA354,
    kSlotVScale = 0xA356,
    kSlotUOffset = 0xA358,
    kSlotVOffset = 0xA35A,
    kSlotRotation = 0xA35C,
};

constexpr uint32_t kVertexRecord = 12;
constexpr uint32_t kUvRecord = 8;
constexpr uint32_t kFaceRecord = 8;

// The texture slot a material sub-chunk fills, or SlotCount when it is no slot.
ModelMaterial::Slot slotOf(uint16_t id) {
    switch (id) {
        case kTexture1:
            return ModelMaterial::Texture1;
        case kTexture2:
            return ModelMaterial::Texture2;
        case kOpacityMap:
            return ModelMaterial::Opacity;
        case kBumpMap:
            return ModelMaterial::Bump;
        case kSpecularMap:
            return ModelMaterial::Specular;
        default:
            return ModelMaterial::SlotCount;
    }
}

}  // namespace

void L3DS::ReadMaterial(const ChunkHeader& block) {
    ModelMaterial material;
    SeekData(block);
    ChunkHeader child;
    while (ReadChild(block, child)) {
        switch (child.id) {
            case kMaterialName:
                material.SetName(ReadString(kMaterialNameLimit));
                break;
            case kAmbient:
                material.SetAmbient(ReadColor(ReadChunk()));
                break;
            case kDiffuse:
                material.SetDiffuse(ReadColor(ReadChunk()));
                break;
            case kSpecular:
                material.SetSpecular(ReadColor(ReadChunk()));
                break;
            case kShininess:
                material.SetShininess(ReadPercentage(ReadChunk()));
                break;
            case kTransparency:
                material.SetTransparency(ReadPercentage(ReadChunk()));
                break;
            case kWireframe:
                material.SetShading(0);
                break;
            case kShading: {
                const uint16_t shading = ReadShort();
                if (shading <= 4) {
                    material.SetShading(shading);
                }
                break;
            }
            case kReflectionMap:
                if (!ReadReflectionSlot(material)) {
                    Report("L3DS::ReadMaterial - error, expected chunk not found");
                    return;
                }
                break;
            default: {
                const ModelMaterial::Slot slot = slotOf(child.id);
                if (slot != ModelMaterial::SlotCount) {
                    ReadTextureSlot(child, material.GetTextureSlot(slot));
                }
                break;
            }
        }
        SeekEnd(child);
    }
    materials_.push_back(std::move(material));
    materials_.back().SetId(static_cast<uint32_t>(materials_.size() - 1));
}

// The reflection slot holds its strength, then must hold its file name. Only an empty name
// is kept (as "auto", the automatic reflection map); false when the name chunk is missing.
bool L3DS::ReadReflectionSlot(ModelMaterial& material) {
    TextureSlot& slot = material.GetTextureSlot(ModelMaterial::Reflection);
    const ChunkHeader strength = ReadChunk();
    slot.strength = ReadPercentage(strength);
    SeekEnd(strength);
    const ChunkHeader name = ReadChunk();
    if (name.id != kSlotFileName) {
        return false;
    }
    if (ReadString(kMaterialNameLimit).empty()) {
        slot.name = "auto";
    }
    return true;
}

Color3f L3DS::ReadColor(const ChunkHeader& chunk) {
    SeekData(chunk);
    Color3f color;
    switch (chunk.id) {
        case kColorFloat:
        case kColorFloatLinear:
            color.r = ReadFloat();
            color.g = ReadFloat();
            color.b = ReadFloat();
            break;
        case kColorByte:
        case kColorByteLinear:
            color.r = ReadByte() / 255.0f;
            color.g = ReadByte() / 255.0f;
            color.b = ReadByte() / 255.0f;
            break;
        default:
            Report("L3DS::ReadColor - error this is not a color chunk");
            break;
    }
    return color;
}

float L3DS::ReadPercentage(const ChunkHeader& chunk) {
    SeekData(chunk);
    switch (chunk.id) {
        case kPercentInt:
            return static_cast<float>(static_cast<int16_t>(ReadShort()) / 100.0);
        case kPercentFloat:
            return ReadFloat();
        default:
            Report("L3DS::ReadPercentage - error, the chunk is not a percentage chunk");
            return 0.0f;
    }
}

void L3DS::ReadTextureSlot(const ChunkHeader& parent, TextureSlot& slot) {
    SeekData(parent);
    ChunkHeader child;
    while (ReadChild(parent, child)) {
        switch (child.id) {
            case kPercentInt:
                slot.strength = ReadPercentage(child);
                break;
            case kSlotFileName:
                slot.name = ReadString(kSlotNameLimit);
                break;
            case kSlotUScale:
                slot.uScale = ReadFloat();
                break;
            case kSlotVScale:
                slot.vScale = ReadFloat();
                break;
            case kSlotUOffset:
                slot.uOffset = ReadFloat();
                break;
            case kSlotVOffset:
                slot.vOffset = ReadFloat();
                break;
            case kSlotRotation:
                ReadFloat();
                break;
            default:
                break;
        }
        SeekEnd(child);
    }
}

void L3DS::ReadMesh(const ChunkHeader& meshChunk) {
    ModelMesh mesh;
    mesh.SetName(objectName_);
    SeekData(meshChunk);
    ChunkHeader child;
    while (ReadChild(meshChunk, child)) {
        switch (child.id) {
            case kVertexList:
                ReadVertexList(child, mesh);
                break;
            case kFaceList:
                ReadFaceList(child, mesh);
                break;
            case kUvList:
                ReadUvList(child, mesh);
                break;
            case kLocalAxes:
                ReadMatrix(mesh);
                break;
            default:
                break;
        }
        SeekEnd(child);
    }
    if (mesh.RemoveInvalidTriangles() != 0) {
        Report("L3DS::ReadMesh - faces with a corner past the vertex list were removed");
    }
    meshes_.push_back(std::move(mesh));
}

// Counts are cut to the records the chunk can hold, so a large count over a few bytes
// allocates nothing; a record cut by the end of the buffer reads as zeros.
void L3DS::ReadVertexList(const ChunkHeader& chunk, ModelMesh& mesh) {
    const size_t count = BoundedCount(ReadShort(), chunk, kVertexRecord);
    mesh.SetVertexCount(count);
    for (size_t i = 0; i < count; ++i) {
        const Vec3f p = ReadVec3();
        mesh.SetVertex(i, Vec4f{p.x, p.y, p.z, 1.0f});
    }
}

void L3DS::ReadUvList(const ChunkHeader& chunk, ModelMesh& mesh) {
    const size_t count = BoundedCount(ReadShort(), chunk, kUvRecord);
    if (mesh.GetVertexCount() == 0) {
        mesh.SetVertexCount(count);
    }
    for (size_t i = 0; i < count; ++i) {
        Vec2f uv;
        uv.u = ReadFloat();
        uv.v = ReadFloat();
        mesh.SetUv(i, uv);
    }
}

void L3DS::ReadMatrix(ModelMesh& mesh) {
    Matrix4f matrix;
    for (int row = 0; row < 4; ++row) {
        const Vec3f axis = ReadVec3();
        matrix.m[row][0] = axis.x;
        matrix.m[row][1] = axis.y;
        matrix.m[row][2] = axis.z;
        matrix.m[row][3] = row == 3 ? 1.0f : 0.0f;
    }
    mesh.SetMatrix(matrix);
}

void L3DS::ReadFaceList(const ChunkHeader& faceChunk, ModelMesh& mesh) {
    if (faceChunk.id != kFaceList) {
        Report("L3DS::ReadFaceList - internal error: wrong chunk passed as parameter");
        return;
    }
    SeekData(faceChunk);
    const size_t count = BoundedCount(ReadShort(), faceChunk, kFaceRecord);
    mesh.SetTriangleCount(count);
    for (size_t i = 0; i < count; ++i) {
        const uint16_t a = ReadShort();
        const uint16_t b = ReadShort();
        const uint16_t c = ReadShort();
        ReadShort();
        mesh.SetTriangle(i, a, b, c);
    }
    ChunkHeader child;
    while (ReadChild(faceChunk, child)) {
        if (child.id == kMaterialGroup) {
            ReadMaterialGroup(child, mesh);
        } else if (child.id == kSmoothingGroups) {
            const size_t masks = BoundedCount(static_cast<uint32_t>(mesh.GetTriangleCount()), child,
                                              sizeof(uint32_t));
            for (size_t i = 0; i < masks; ++i) {
                mesh.SetSmoothing(i, ReadInt());
            }
        }
        SeekEnd(child);
    }
}

// A group naming no known material is skipped. Listed faces take the material's id.
void L3DS::ReadMaterialGroup(const ChunkHeader& chunk, ModelMesh& mesh) {
    const ModelMaterial* material = FindMaterial(ReadString(kSlotNameLimit));
    if (material == nullptr) {
        return;
    }
    mesh.AddMaterial(material->GetId());
    const size_t count = BoundedCount(ReadShort(), chunk, sizeof(uint16_t));
    for (size_t i = 0; i < count; ++i) {
        mesh.SetTriangleMaterial(ReadShort(), material->GetId());
    }
}

void L3DS::ReadLight(const ChunkHeader& lightChunk) {
    ModelLight light;
    light.SetName(objectName_);
    SeekData(lightChunk);
    light.position = ReadVec3();
    ChunkHeader child;
    while (ReadChild(lightChunk, child)) {
        if (child.id >= kColorFloat && child.id <= kColorFloatLinear) {
            light.color = ReadColor(child);
        } else if (child.id == kSpot) {
            light.target = ReadVec3();
            light.hotspot = ReadFloat();
            light.falloff = ReadFloat();
        }
        SeekEnd(child);
    }
    lights_.push_back(std::move(light));
}
