// The chunk ids of the 3DS files the show reads and the generator writes. Every chunk is a
// 16-bit id, a 32-bit length that counts its own six header bytes, and then what the
// comment beside the id says, little-endian throughout.
#pragma once

#include <cstdint>

namespace chunk {

enum : uint16_t {
    // Sub-chunks that several parents share.
    kColorFloat = 0x0010,        // three floats, red green blue in 0 … 1
    kColorByte = 0x0011,         // three bytes, red green blue
    kColorByteLinear = 0x0012,   // three bytes, gamma-corrected
    kColorFloatLinear = 0x0013,  // three floats, gamma-corrected
    kPercentInt = 0x0030,        // one 16-bit integer percentage
    kPercentFloat = 0x0031,      // one float percentage

    // The file and its editor section.
    kMain = 0x4D4D,       // sub-chunks: version, the editor section, keyframes
    kEditor = 0x3D3D,     // sub-chunks: material blocks and named objects
    kKeyframer = 0xB000,  // animation tracks; the show skips them

    // Objects.
    kNamedObject = 0x4000,      // a zero-terminated name, then one mesh or light chunk
    kMesh = 0x4100,             // sub-chunks: the lists below
    kVertexList = 0x4110,       // 16-bit count, then x y z floats per vertex
    kFaceList = 0x4120,         // 16-bit count, then a b c flags (16 bits each) per face;
                                // material groups and smoothing groups follow as sub-chunks
    kMaterialGroup = 0x4130,    // material name, 16-bit count, face indices (16 bits)
    kUvList = 0x4140,           // 16-bit count, then u v floats per vertex
    kSmoothingGroups = 0x4150,  // one 32-bit group mask per face
    kLocalAxes = 0x4160,        // four rows of x y z floats: three axes and the origin
    kLight = 0x4600,            // x y z floats of the position; colour and spot sub-chunks
    kSpot = 0x4610,             // target x y z, hotspot and falloff angles (floats)

    // Materials.
    kMaterialBlock = 0xAFFF,  // sub-chunks: name, colours, percentages, texture slots
    kMaterialName = 0xA000,   // a zero-terminated name
    kAmbient = 0xA010,        // a colour sub-chunk
    kDiffuse = 0xA020,        // a colour sub-chunk
    kSpecular = 0xA030,       // a colour sub-chunk
    kShininess = 0xA040,      // a percentage sub-chunk
    kTransparency = 0xA050,   // a percentage sub-chunk
    kWireframe = 0xA085,      // no content: the material draws as lines
    kShading = 0xA100,        // one 16-bit shading kind
    kTexture1 = 0xA200,       // a texture slot: percentage, file name, mapping values
    kSpecularMap = 0xA204,    // a texture slot
    kOpacityMap = 0xA210,     // a texture slot
    kReflectionMap = 0xA220,  // a texture slot
    kBumpMap = 0xA230,        // a texture slot
    kTexture2 = 0xA33A,       // a texture slot
    kSlotFileName = 0xA300,   // a zero-terminated file name, inside a slot
    kSlotUScale = 0xA354,     // one float, inside a slot
    kSlotVScale = 0xA356,     // one float, inside a slot
    kSlotUOffset = 0xA358,    // one float, inside a slot
    kSlotVOffset = 0xA35A,    // one float, inside a slot
    kSlotRotation = 0xA35C,   // one float (degrees), inside a slot
};

}  // namespace chunk
