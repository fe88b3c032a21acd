// Builds 3DS-style byte buffers for reader tests: little-endian values and nested chunks whose
// lengths are filled in when they close, or forced to any value to make broken files.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

class ChunkBytes {
public:
    ChunkBytes& u8(uint8_t v) {
        bytes.push_back(v);
        return *this;
    }
    ChunkBytes& u16(uint16_t v) {
        return u8(static_cast<uint8_t>(v)).u8(static_cast<uint8_t>(v >> 8));
    }
    ChunkBytes& u32(uint32_t v) {
        return u16(static_cast<uint16_t>(v)).u16(static_cast<uint16_t>(v >> 16));
    }
    ChunkBytes& f32(float v) {
        uint32_t bits;
        std::memcpy(&bits, &v, sizeof bits);
        return u32(bits);
    }
    ChunkBytes& vec3(float x, float y, float z) { return f32(x).f32(y).f32(z); }
    ChunkBytes& text(const std::string& s) {
        bytes.insert(bytes.end(), s.begin(), s.end());
        return u8(0);
    }
    // Opens a chunk whose length is patched by end().
    ChunkBytes& begin(uint16_t id) {
        open_.push_back(bytes.size());
        return u16(id).u32(0);
    }
    ChunkBytes& end() {
        const size_t start = open_.back();
        open_.pop_back();
        const uint32_t length = static_cast<uint32_t>(bytes.size() - start);
        for (int i = 0; i < 4; ++i) {
            bytes[start + 2 + i] = static_cast<uint8_t>(length >> (8 * i));
        }
        return *this;
    }
    // A header with a fixed, possibly wrong, length.
    ChunkBytes& header(uint16_t id, uint32_t length) { return u16(id).u32(length); }

    std::vector<uint8_t> bytes;

private:
    std::vector<size_t> open_;
};
