// A read cursor over a 3DS file held in memory: little-endian values, texts and chunk
// headers. A read of n bytes succeeds only while position + n < size; a failed read sets
// the end flag, gives zeros and leaves the cursor where it was, so malformed input degrades
// to zeros and skipped chunks and every read stays inside the buffer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "objects/model_types.h"

class ChunkCursor {
public:
    static constexpr int kSeekStart = 1900;
    static constexpr int kSeekCurrent = 1901;

    // Reads from bytes the caller keeps alive (not copied); null and 0 end the reading.
    void Attach(const uint8_t* bytes, uint32_t size);

    uint8_t ReadByte();
    uint16_t ReadShort();
    uint32_t ReadInt();
    float ReadFloat();
    bool ReadBytes(void* out, uint32_t n);
    Vec3f ReadVec3();
    std::string ReadString(size_t limit);
    void Seek(int64_t offset, int mode);
    void Rewind() { position_ = 0; }

    ChunkHeader ReadChunk();
    bool FindChunk(ChunkHeader& target, const ChunkHeader& parent);
    void SeekData(const ChunkHeader& chunk) { Seek(chunk.dataStart, kSeekStart); }
    void SeekEnd(const ChunkHeader& chunk) { Seek(chunk.end, kSeekStart); }
    // Next nested chunk of parent at the cursor; false at the parent's end or the buffer's.
    bool ReadChild(const ChunkHeader& parent, ChunkHeader& child);
    // count, cut to the records that can start inside chunk's data and the buffer.
    size_t BoundedCount(uint32_t count, const ChunkHeader& chunk, uint32_t recordSize) const;

    bool AtEnd() const { return eofFlag_; }
    void ClearEnd() { eofFlag_ = false; }

private:
    bool eofFlag_ = false;
    const uint8_t* buffer_ = nullptr;
    uint32_t size_ = 0;
    uint32_t position_ = 0;
};
