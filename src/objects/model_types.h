// Plain value records of a loaded 3DS model: vectors, colours, the chunk header and the
// triangle views a mesh hands out. Copied by value; all coordinates are 32-bit floats.
#pragma once

#include <cstdint>
#include <string>

struct Vec2f {
    float u = 0.0f;
    float v = 0.0f;
};

struct Vec3f {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
};

struct Vec4f {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
    float w = 0.0f;
};

struct Color3f {
    float r = 0.0f;
    float g = 0.0f;
    float b = 0.0f;
};

// One chunk as located in the file buffer: dataStart is just past the 6-byte header, end just
// past the whole chunk.
struct ChunkHeader {
    uint16_t id = 0;
    uint32_t dataStart = 0;
    uint32_t end = 0;
};

struct IndexedTriangle {
    uint16_t a = 0;
    uint16_t b = 0;
    uint16_t c = 0;
};

struct MeshTriangle {
    uint16_t a = 0;
    uint16_t b = 0;
    uint16_t c = 0;
    uint32_t smoothing = 0;
    Vec3f normal;
    Vec3f tangent;
    Vec3f binormal;
    uint32_t material = 0;
};

// A face with its corners' data gathered; built on request.
struct ExpandedTriangle {
    Vec4f positions[3];
    Vec3f normals[3];
    Vec2f uvs[3];
    Vec3f faceNormal;
    uint32_t material = 0;
};

struct TextureSlot {
    float strength = 0.0f;
    std::string name;
    float uScale = 1.0f;
    float vScale = 1.0f;
    float uOffset = 0.0f;
    float vOffset = 0.0f;
};
