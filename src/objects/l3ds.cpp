#include "objects/l3ds.h"

#include <cstdio>
#include <cstring>
#include <limits>
#include <memory>
#include <new>

#include "objects/l3ds_chunks.h"
#include "objects/three_ds_chunk_ids.h"
#include "platform/path.h"

namespace {

// Closes the file on every return path.
struct FileCloser {
    void operator()(FILE* file) const { std::fclose(file); }
};

}  // namespace

bool L3DS::LoadFile(const char* path) {
    firstError_.clear();
    std::unique_ptr<FILE, FileCloser> file(platform::openFile(path, "rb"));
    if (!file) {
        Report("L3DS::LoadFile - cannot open file");
        return false;
    }
    long length = -1;
    if (std::fseek(file.get(), 0, SEEK_END) == 0) {
        length = std::ftell(file.get());
        std::fseek(file.get(), 0, SEEK_SET);
    }
    if (length < 0) {
        Report("L3DS::LoadFile - error reading from file");
        return false;
    }
    const size_t size = static_cast<size_t>(length);
    std::unique_ptr<uint8_t[]> block;
    if (size <= std::numeric_limits<uint32_t>::max()) {
        block.reset(new (std::nothrow) uint8_t[size + 1]());
    }
    if (!block) {
        Report("L3DS::LoadFile - not enough memory (malloc failed)");
        return false;
    }
    if (std::fread(block.get(), 1, size, file.get()) != size) {
        Report("L3DS::LoadFile - error reading from file");
        return false;
    }
    file.reset();
    return LoadFromMemory(block.get(), size);
}

bool L3DS::LoadFromMemory(const uint8_t* bytes, size_t size) {
    firstError_.clear();
    if (size > std::numeric_limits<uint32_t>::max() || (bytes == nullptr && size != 0)) {
        Report("L3DS::LoadFromMemory - buffer too large or missing");
        return false;
    }
    Clear();
    cursor_.Attach(bytes, static_cast<uint32_t>(size));
    const bool ok = Read3DS();
    cursor_.Attach(nullptr, 0);
    return ok;
}

bool L3DS::Read3DS() {
    const ChunkHeader main = cursor_.ReadChunk();
    if (main.id != chunk::kMain) {
        Report("L3DS::Read3DS - wrong file format");
        return false;
    }
    ChunkHeader editor;
    editor.id = chunk::kEditor;
    if (!cursor_.FindChunk(editor, main)) {
        return false;
    }
    L3dsChunkReader chunks(cursor_, *this, [this](const char* message) { Report(message); });
    ChunkHeader block;
    block.id = chunk::kMaterialBlock;
    cursor_.SeekData(editor);
    while (cursor_.FindChunk(block, editor)) {
        chunks.ReadMaterial(block);
        cursor_.SeekEnd(block);
    }
    ChunkHeader object;
    object.id = chunk::kNamedObject;
    cursor_.SeekData(editor);
    while (cursor_.FindChunk(object, editor)) {
        ReadObject(object, chunks);
        cursor_.SeekEnd(object);
    }
    // The keyframer section (0xB000) holds nothing the model keeps, so it is not walked.
    for (ModelMesh& mesh : meshes_) {
        mesh.ComputeNormals(true);
        mesh.ComputeTangents();
    }
    cursor_.Rewind();
    return true;
}

// The object's first nested chunk decides its kind; it is kept inside the object so a bad
// length cannot reach into the objects that follow.
void L3DS::ReadObject(const ChunkHeader& object, L3dsChunkReader& chunks) {
    const std::string name = cursor_.ReadString(kObjectNameLimit);
    cursor_.ClearEnd();
    ChunkHeader kind = cursor_.ReadChunk();
    if (cursor_.AtEnd()) {
        return;
    }
    if (kind.end > object.end) {
        kind.end = object.end;
    }
    if (kind.id == chunk::kMesh) {
        chunks.ReadMesh(kind, name);
    } else if (kind.id == chunk::kLight) {
        chunks.ReadLight(kind, name);
    }
}
