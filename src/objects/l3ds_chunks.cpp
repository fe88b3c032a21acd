#include "objects/l3ds_chunks.h"

#include <utility>

#include "objects/three_ds_chunk_ids.h"

namespace {

constexpr uint32_t kVertexRecord = 12;
constexpr uint32_t kUvRecord = 8;
constexpr uint32_t kFaceRecord = 8;

// The texture slot a material sub-chunk fills, or SlotCount when it is no slot.
ModelMaterial::Slot slotOf(uint16_t id) {
    switch (id) {
        case chunk::kTexture1:
            return ModelMaterial::Texture1;
        case chunk::kTexture2:
            return ModelMaterial::Texture2;
        case chunk::kOpacityMap:
            return ModelMaterial::Opacity;
        case chunk::kBumpMap:
            return ModelMaterial::Bump;
        case chunk::kSpecularMap:
            return ModelMaterial::Specular;
        default:
            return ModelMaterial::SlotCount;
    }
}

}  // namespace

void L3dsChunkReader::ReadMaterial(const ChunkHeader& block) {
    ModelMaterial material;
    cursor_.SeekData(block);
    ChunkHeader child;
    while (cursor_.ReadChild(block, child)) {
        switch (child.id) {
            case chunk::kMaterialName:
                material.SetName(cursor_.ReadString(kMaterialNameLimit));
                break;
            case chunk::kAmbient:
                material.SetAmbient(ReadColor(cursor_.ReadChunk()));
                break;
            case chunk::kDiffuse:
                material.SetDiffuse(ReadColor(cursor_.ReadChunk()));
                break;
            case chunk::kSpecular:
                material.SetSpecular(ReadColor(cursor_.ReadChunk()));
                break;
            case chunk::kShininess:
                material.SetShininess(ReadPercentage(cursor_.ReadChunk()));
                break;
            case chunk::kTransparency:
                material.SetTransparency(ReadPercentage(cursor_.ReadChunk()));
                break;
            case chunk::kWireframe:
                material.SetShading(0);
                break;
            case chunk::kShading: {
                const uint16_t shading = cursor_.ReadShort();
                if (shading <= 4) {
                    material.SetShading(shading);
                }
                break;
            }
            case chunk::kReflectionMap:
                if (!ReadReflectionSlot(material)) {
                    report_("L3DS::ReadMaterial - error, expected chunk not found");
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
        cursor_.SeekEnd(child);
    }
    model_.AddMaterial(std::move(material));
}

// The reflection slot holds its strength, then must hold its file name. Only an empty name
// is kept (as "auto", the automatic reflection map); false when the name chunk is missing.
bool L3dsChunkReader::ReadReflectionSlot(ModelMaterial& material) {
    TextureSlot& slot = material.GetTextureSlot(ModelMaterial::Reflection);
    const ChunkHeader strength = cursor_.ReadChunk();
    slot.strength = ReadPercentage(strength);
    cursor_.SeekEnd(strength);
    const ChunkHeader name = cursor_.ReadChunk();
    if (name.id != chunk::kSlotFileName) {
        return false;
    }
    if (cursor_.ReadString(kMaterialNameLimit).empty()) {
        slot.name = "auto";
    }
    return true;
}

Color3f L3dsChunkReader::ReadColor(const ChunkHeader& chunk) {
    cursor_.SeekData(chunk);
    Color3f color;
    switch (chunk.id) {
        case chunk::kColorFloat:
        case chunk::kColorFloatLinear:
            color.r = cursor_.ReadFloat();
            color.g = cursor_.ReadFloat();
            color.b = cursor_.ReadFloat();
            break;
        case chunk::kColorByte:
        case chunk::kColorByteLinear:
            color.r = cursor_.ReadByte() / 255.0f;
            color.g = cursor_.ReadByte() / 255.0f;
            color.b = cursor_.ReadByte() / 255.0f;
            break;
        default:
            report_("L3DS::ReadColor - error this is not a color chunk");
            break;
    }
    return color;
}

float L3dsChunkReader::ReadPercentage(const ChunkHeader& chunk) {
    cursor_.SeekData(chunk);
    switch (chunk.id) {
        case chunk::kPercentInt:
            return static_cast<float>(static_cast<int16_t>(cursor_.ReadShort()) / 100.0);
        case chunk::kPercentFloat:
            return cursor_.ReadFloat();
        default:
            report_("L3DS::ReadPercentage - error, the chunk is not a percentage chunk");
            return 0.0f;
    }
}

void L3dsChunkReader::ReadTextureSlot(const ChunkHeader& parent, TextureSlot& slot) {
    cursor_.SeekData(parent);
    ChunkHeader child;
    while (cursor_.ReadChild(parent, child)) {
        switch (child.id) {
            case chunk::kPercentInt:
                slot.strength = ReadPercentage(child);
                break;
            case chunk::kSlotFileName:
                slot.name = cursor_.ReadString(kSlotNameLimit);
                break;
            case chunk::kSlotUScale:
                slot.uScale = cursor_.ReadFloat();
                break;
            case chunk::kSlotVScale:
                slot.vScale = cursor_.ReadFloat();
                break;
            case chunk::kSlotUOffset:
                slot.uOffset = cursor_.ReadFloat();
                break;
            case chunk::kSlotVOffset:
                slot.vOffset = cursor_.ReadFloat();
                break;
            case chunk::kSlotRotation:
                cursor_.ReadFloat();
                break;
            default:
                break;
        }
        cursor_.SeekEnd(child);
    }
}

void L3dsChunkReader::ReadMesh(const ChunkHeader& meshChunk, const std::string& name) {
    ModelMesh mesh;
    mesh.SetName(name);
    cursor_.SeekData(meshChunk);
    ChunkHeader child;
    while (cursor_.ReadChild(meshChunk, child)) {
        switch (child.id) {
            case chunk::kVertexList:
                ReadVertexList(child, mesh);
                break;
            case chunk::kFaceList:
                ReadFaceList(child, mesh);
                break;
            case chunk::kUvList:
                ReadUvList(child, mesh);
                break;
            default:
                break;
        }
        cursor_.SeekEnd(child);
    }
    if (mesh.RemoveInvalidTriangles() != 0) {
        report_("L3DS::ReadMesh - faces with a corner past the vertex list were removed");
    }
    model_.AddMesh(std::move(mesh));
}

// Counts are cut to the records the chunk can hold, so a large count over a few bytes
// allocates nothing; a record cut by the end of the buffer reads as zeros.
void L3dsChunkReader::ReadVertexList(const ChunkHeader& chunk, ModelMesh& mesh) {
    const size_t count = cursor_.BoundedCount(cursor_.ReadShort(), chunk, kVertexRecord);
    mesh.SetVertexCount(count);
    for (size_t i = 0; i < count; ++i) {
        const Vec3f p = cursor_.ReadVec3();
        mesh.SetVertex(i, Vec4f{p.x, p.y, p.z, 1.0f});
    }
}

void L3dsChunkReader::ReadUvList(const ChunkHeader& chunk, ModelMesh& mesh) {
    const size_t count = cursor_.BoundedCount(cursor_.ReadShort(), chunk, kUvRecord);
    if (mesh.GetVertexCount() == 0) {
        mesh.SetVertexCount(count);
    }
    for (size_t i = 0; i < count; ++i) {
        Vec2f uv;
        uv.u = cursor_.ReadFloat();
        uv.v = cursor_.ReadFloat();
        mesh.SetUv(i, uv);
    }
}

void L3dsChunkReader::ReadFaceList(const ChunkHeader& faceChunk, ModelMesh& mesh) {
    if (faceChunk.id != chunk::kFaceList) {
        report_("L3DS::ReadFaceList - internal error: wrong chunk passed as parameter");
        return;
    }
    cursor_.SeekData(faceChunk);
    const size_t count = cursor_.BoundedCount(cursor_.ReadShort(), faceChunk, kFaceRecord);
    mesh.SetTriangleCount(count);
    for (size_t i = 0; i < count; ++i) {
        const uint16_t a = cursor_.ReadShort();
        const uint16_t b = cursor_.ReadShort();
        const uint16_t c = cursor_.ReadShort();
        cursor_.ReadShort();
        mesh.SetTriangle(i, a, b, c);
    }
    ChunkHeader child;
    while (cursor_.ReadChild(faceChunk, child)) {
        if (child.id == chunk::kMaterialGroup) {
            ReadMaterialGroup(child, mesh);
        } else if (child.id == chunk::kSmoothingGroups) {
            const size_t masks = cursor_.BoundedCount(
                static_cast<uint32_t>(mesh.GetTriangleCount()), child, sizeof(uint32_t));
            for (size_t i = 0; i < masks; ++i) {
                mesh.SetSmoothing(i, cursor_.ReadInt());
            }
        }
        cursor_.SeekEnd(child);
    }
}

// A group naming no known material is skipped. Listed faces take the material's id.
void L3dsChunkReader::ReadMaterialGroup(const ChunkHeader& chunk, ModelMesh& mesh) {
    const ModelMaterial* material = model_.FindMaterial(cursor_.ReadString(kSlotNameLimit));
    if (material == nullptr) {
        return;
    }
    mesh.AddMaterial(material->GetId());
    const size_t count = cursor_.BoundedCount(cursor_.ReadShort(), chunk, sizeof(uint16_t));
    for (size_t i = 0; i < count; ++i) {
        mesh.SetTriangleMaterial(cursor_.ReadShort(), material->GetId());
    }
}

void L3dsChunkReader::ReadLight(const ChunkHeader& lightChunk, const std::string& name) {
    ModelLight light;
    light.SetName(name);
    cursor_.SeekData(lightChunk);
    light.position = cursor_.ReadVec3();
    ChunkHeader child;
    while (cursor_.ReadChild(lightChunk, child)) {
        if (child.id >= chunk::kColorFloat && child.id <= chunk::kColorFloatLinear) {
            light.color = ReadColor(child);
        } else if (child.id == chunk::kSpot) {
            light.target = cursor_.ReadVec3();
            light.hotspot = cursor_.ReadFloat();
            light.falloff = cursor_.ReadFloat();
        }
        cursor_.SeekEnd(child);
    }
    model_.AddLight(std::move(light));
}
