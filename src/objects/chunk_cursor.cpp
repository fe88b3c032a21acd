#include "objects/chunk_cursor.h"

#include <cstring>
#include <limits>

namespace {
constexpr uint32_t kHeaderSize = 6;
}

void ChunkCursor::Attach(const uint8_t* bytes, uint32_t size) {
    buffer_ = bytes;
    size_ = size;
    position_ = 0;
    eofFlag_ = false;
}

bool ChunkCursor::ReadBytes(void* out, uint32_t n) {
    if (buffer_ == nullptr || size_ == 0 || uint64_t{position_} + n >= size_) {
        eofFlag_ = true;
        std::memset(out, 0, n);
        return false;
    }
    std::memcpy(out, buffer_ + position_, n);
    position_ += n;
    return true;
}

uint8_t ChunkCursor::ReadByte() {
    uint8_t value;
    ReadBytes(&value, 1);
    return value;
}

uint16_t ChunkCursor::ReadShort() {
    uint8_t b[2];
    ReadBytes(b, 2);
    return static_cast<uint16_t>(b[0] | (b[1] << 8));
}

uint32_t ChunkCursor::ReadInt() {
    uint8_t b[4];
    ReadBytes(b, 4);
    return uint32_t{b[0]} | (uint32_t{b[1]} << 8) | (uint32_t{b[2]} << 16) | (uint32_t{b[3]} << 24);
}

float ChunkCursor::ReadFloat() {
    const uint32_t bits = ReadInt();
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

Vec3f ChunkCursor::ReadVec3() {
    Vec3f v;
    v.x = ReadFloat();
    v.y = ReadFloat();
    v.z = ReadFloat();
    return v;
}

// A text that fills the limit exactly still has its terminator consumed, so a name of the
// longest allowed length does not shift the chunk that follows it.
std::string ChunkCursor::ReadString(size_t limit) {
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

void ChunkCursor::Seek(int64_t offset, int mode) {
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
ChunkHeader ChunkCursor::ReadChunk() {
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
bool ChunkCursor::FindChunk(ChunkHeader& target, const ChunkHeader& parent) {
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

bool ChunkCursor::ReadChild(const ChunkHeader& parent, ChunkHeader& child) {
    eofFlag_ = false;
    child = ReadChunk();
    return !eofFlag_ && child.end <= parent.end;
}

size_t ChunkCursor::BoundedCount(uint32_t count, const ChunkHeader& chunk,
                                 uint32_t recordSize) const {
    const uint32_t limit = chunk.end < size_ ? chunk.end : size_;
    const uint32_t available = limit > position_ ? limit - position_ : 0;
    const uint32_t records = available / recordSize + (available % recordSize != 0 ? 1 : 0);
    return count < records ? count : records;
}
