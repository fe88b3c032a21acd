// Reader of 3DS model files: reads the whole file into memory, walks its chunk tree into
// materials, meshes and lights, then computes normals (with smoothing groups) and tangents.
// Malformed input degrades to zeros or skipped chunks; every read stays inside the buffer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "objects/model_importer.h"
#include "objects/model_types.h"

class L3DS : public ModelImporter {
public:
    using ErrorHook = std::function<void(const std::string&)>;

    L3DS() = default;

    // Reads and parses a file; earlier content is cleared once the file has been read.
    bool LoadFile(const char* path) override;
    // Parses 3DS bytes held by the caller (not copied; used only during the call).
    bool LoadFromMemory(const uint8_t* bytes, size_t size);

    // Receives every error message; by default messages are discarded.
    void SetErrorHook(ErrorHook hook) { errorHook_ = std::move(hook); }

private:
    static constexpr int kSeekStart = 1900;
    static constexpr int kSeekCurrent = 1901;
    static constexpr size_t kObjectNameLimit = 99;
    static constexpr size_t kMaterialNameLimit = 30;
    static constexpr size_t kSlotNameLimit = 20;

    void Report(const char* message) const;

    // Low-level reading: a read of n bytes succeeds only while position + n < size; a failed
    // read sets eofFlag_, returns 0 and leaves the cursor where it was.
    uint8_t ReadByte();
    uint16_t ReadShort();
    uint32_t ReadInt();
    float ReadFloat();
    bool ReadBytes(void* out, uint32_t n);
    std::string ReadString(size_t limit);
    void Seek(int64_t offset, int mode);
    ChunkHeader ReadChunk();
    bool FindChunk(ChunkHeader& target, const ChunkHeader& parent);
    void SeekData(const ChunkHeader& chunk) { Seek(chunk.dataStart, kSeekStart); }
    void SeekEnd(const ChunkHeader& chunk) { Seek(chunk.end, kSeekStart); }
    // Next nested chunk of parent at the cursor; false at the parent's end or the buffer's.
    bool ReadChild(const ChunkHeader& parent, ChunkHeader& child);
    // count, cut to the records that can start inside chunk's data and the buffer.
    size_t BoundedCount(uint32_t count, const ChunkHeader& chunk, uint32_t recordSize) const;
    Vec3f ReadVec3();

    bool Read3DS();
    void ReadObject(const ChunkHeader& object);
    void ReadMaterial(const ChunkHeader& block);
    bool ReadReflectionSlot(ModelMaterial& material);
    Color3f ReadColor(const ChunkHeader& chunk);
    float ReadPercentage(const ChunkHeader& chunk);
    void ReadTextureSlot(const ChunkHeader& parent, TextureSlot& slot);
    void ReadMesh(const ChunkHeader& meshChunk);
    void ReadVertexList(const ChunkHeader& chunk, ModelMesh& mesh);
    void ReadUvList(const ChunkHeader& chunk, ModelMesh& mesh);
    void ReadMatrix(ModelMesh& mesh);
    void ReadFaceList(const ChunkHeader& faceChunk, ModelMesh& mesh);
    void ReadMaterialGroup(const ChunkHeader& chunk, ModelMesh& mesh);
    void ReadLight(const ChunkHeader& lightChunk);

    ErrorHook errorHook_;
    std::string objectName_;
    bool eofFlag_ = false;
    const uint8_t* buffer_ = nullptr;
    uint32_t size_ = 0;
    uint32_t position_ = 0;
};
