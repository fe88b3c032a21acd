// The readers of the chunks inside a 3DS file's editor section: materials, meshes and
// lights, each read from the cursor and appended to the model. Malformed chunks degrade to
// zeros or are skipped; every read stays inside the cursor's buffer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "objects/chunk_cursor.h"
#include "objects/model_importer.h"
#include "objects/model_types.h"

class L3dsChunkReader {
public:
    using Report = std::function<void(const char*)>;

    L3dsChunkReader(ChunkCursor& cursor, ModelImporter& model, Report report)
        : cursor_(cursor), model_(model), report_(std::move(report)) {}

    void ReadMaterial(const ChunkHeader& block);
    // A mesh or light object of the given name.
    void ReadMesh(const ChunkHeader& meshChunk, const std::string& name);
    void ReadLight(const ChunkHeader& lightChunk, const std::string& name);

private:
    static constexpr size_t kMaterialNameLimit = 30;
    static constexpr size_t kSlotNameLimit = 20;

    bool ReadReflectionSlot(ModelMaterial& material);
    Color3f ReadColor(const ChunkHeader& chunk);
    float ReadPercentage(const ChunkHeader& chunk);
    void ReadTextureSlot(const ChunkHeader& parent, TextureSlot& slot);
    void ReadVertexList(const ChunkHeader& chunk, ModelMesh& mesh);
    void ReadUvList(const ChunkHeader& chunk, ModelMesh& mesh);
    void ReadFaceList(const ChunkHeader& faceChunk, ModelMesh& mesh);
    void ReadMaterialGroup(const ChunkHeader& chunk, ModelMesh& mesh);

    ChunkCursor& cursor_;
    ModelImporter& model_;
    Report report_;
};
