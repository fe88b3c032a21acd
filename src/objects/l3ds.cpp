#include "objects/l3ds.h"

#include <cstdio>
#include <cstring>
#include <limits>
#include <memory>
#include <new>

#include "platform/path.h"

namespace {

constexpr uint16_t kMainChunk = 0x4D4D;
constexpr uint16_t kEditorChunk = 0x3D3D;
constexpr uint16_t kMaterialBlock = 0xAFFF;
constexpr uint16_t kNamedObject = 0x4000;
constexpr uint16_t kMeshChunk = 0x4100;
constexpr uint16_t kLightChunk = 0x4600;
constexpr uint32_t kHeaderSize = 6;

// Closes the file on every return path.
struct FileCloser {
    void operator()(FILE* file) const { std::fclose(file); }
};

}  // namespace

bool L3DS::LoadFile(const char* path) {
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
    if (size > std::numeric_limits<uint32_t>::max() || (bytes == nullptr && size != 0)) {
        Report("L3DS::LoadFromMemory - buffer too large or missing");
        return false;
    }
    Clear();
    buffer_ = bytes;
    size_ = static_cast<uint32_t>(size);
    position_ = 0;
    eofFlag_ = false;
    const bool ok = Read3DS();
    buffer_ = nullptr;
    size_ = 0;
    position_ = 0;
    objectName_.clear();
    return ok;
}

void L3DS::Report(const char* message) const {
    if (errorHook_) {
        errorHook_(message);
    }
}

bool L3DS::ReadBytes(void* out, uint32_t n) {
    if (buffer_ == nullptr || size_ == 0 || uint64_t{position_} + n >= size_) {
        eofFlag_ = true;
        std::memset(out, 0, n);
        return false;
    }
    std::memcpy(out, buffer_ + position_, n);
    position_ += n;
    return true;
}

uint8_t L3DS::ReadByte() {
    uint8_t value;
    ReadBytes(&value, 1);
    return value;
}

uint16_t L3DS::ReadShort() {
    uint8_t b[2];
    ReadBytes(b, 2);
    return static_cast<uint16_t>(b[0] | (b[1] << 8));
}

uint32_t L3DS::ReadInt() {
    uint8_t b[4];
    ReadBytes(b, 4);
    return uint32_t{b[0]} | (uint32_t{b[1]} << 8) | (uint32_t{b[2]} << 16) | (uint32_t{b[3]} << 24);
}

float L3DS::ReadFloat() {
    const uint32_t bits = ReadInt();
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

Vec3f L3DS::ReadVec3() {
    Vec3f v;
    v.x = ReadFloat();
    v.y = ReadFloat();
    v.z = ReadFloat();
    return v;
}

// A text that fills the limit exactly still has its terminator consumed, so a name of the
// longest allowed length does not shift the chunk that follows it.
std::string L3DS::ReadString(size_t limit) {
    std::string text;
    if (position_ >= size_) {
        eofFlag_ = true;
        return text;
    }
    while (text.size() + 1 < limit) {
        const uint8_t c = ReadByte();
        if (c == 0) {
            return text;
        }
        text.push_back(static_cast<char>(c));
    }
    if (uint64_t{position_} + 1 < size_ && buffer_[position_] == 0) {
        ++position_;
    }
    return text;
}

void L3DS::Seek(int64_t offset, int mode) {
    int64_t target = mode == kSeekCurrent ? int64_t{position_} + offset : offset;
    if (target < 0) {
        target = 0;
    }
    if (target >= int64_t{size_}) {
        target = size_ == 0 ? 0 : int64_t{size_} - 1;
    }
    position_ = static_cast<uint32_t>(target);
    eofFlag_ = false;
}

// A length shorter than the header would put the end before the data and walk backwards;
// such a chunk is taken as empty, so every walk moves forward.
ChunkHeader L3DS::ReadChunk() {
    ChunkHeader header;
    header.id = ReadShort();
    const uint32_t length = ReadInt();
    header.dataStart = position_;
    const uint64_t end = uint64_t{position_} + length;
    if (length < kHeaderSize) {
        header.end = position_;
    } else if (end - kHeaderSize > std::numeric_limits<uint32_t>::max()) {
        header.end = std::numeric_limits<uint32_t>::max();
    } else {
        header.end = static_cast<uint32_t>(end - kHeaderSize);
    }
    return header;
}

// A header that cannot be read whole means the buffer has ended: nothing more is found.
bool L3DS::FindChunk(ChunkHeader& target, const ChunkHeader& parent) {
    if (position_ >= parent.end) {
        return false;
    }
    eofFlag_ = false;
    ChunkHeader header = ReadChunk();
    if (eofFlag_) {
        return false;
    }
    while (header.id != target.id && header.end <= parent.end) {
        SeekEnd(header);
        if (header.end >= parent.end) {
            break;
        }
        header = ReadChunk();
        if (eofFlag_) {
            return false;
        }
    }
    if (header.id != target.id) {
        return false;
    }
    target.dataStart = header.dataStart;
    target.end = header.end;
    return true;
}

bool L3DS::ReadChild(const ChunkHeader& parent, ChunkHeader& child) {
    eofFlag_ = false;
    child = ReadChunk();
    return !eofFlag_ && child.end <= parent.end;
}

size_t L3DS::BoundedCount(uint32_t count, const ChunkHeader& chunk, uint32_t recordSize) const {
    const uint32_t limit = chunk.end < size_ ? chunk.end : size_;
    const uint32_t available = limit > position_ ? limit - position_ : 0;
    const uint32_t records = available / recordSize + (available % recordSize != 0 ? 1 : 0);
    return count < records ? count : records;
}

bool L3DS::Read3DS() {
    const ChunkHeader main = ReadChunk();
    if (main.id != kMainChunk) {
        Report("L3DS::Read3DS - wrong file format");
        return false;
    }
    ChunkHeader editor;
    editor.id = kEditorChunk;
    if (!FindChunk(editor, main)) {
        return false;
    }
    ChunkHeader block;
    block.id = kMaterialBlock;
    SeekData(editor);
    while (FindChunk(block, editor)) {
        ReadMaterial(block);
        SeekEnd(block);
    }
    ChunkHeader object;
    object.id = kNamedObject;
    SeekData(editor);
    while (FindChunk(object, editor)) {
        ReadObject(object);
        SeekEnd(object);
    }
    // The keyframer section (0xB000) holds nothing the model keeps, so it is not walked.
    for (ModelMesh& mesh : meshes_) {
        mesh.ComputeNormals(true);
        mesh.ComputeTangents();
    }
    position_ = 0;
    objectName_.clear();
    return true;
}

// The object's first nested chunk decides its kind; it is kept inside the object so a bad
// length cannot reach into the objects that follow.
void L3DS::ReadObject(const ChunkHeader& object) {
    objectName_ = ReadString(kObjectNameLimit);
    eofFlag_ = false;
    ChunkHeader kind = ReadChunk();
    if (eofFlag_) {
        return;
    }
    if (kind.end > object.end) {
        kind.end = object.end;
    }
    if (kind.id == kMeshChunk) {
        ReadMesh(kind);
    } else if (kind.id == kLightChunk) {
        ReadLight(kind);
    }
}
