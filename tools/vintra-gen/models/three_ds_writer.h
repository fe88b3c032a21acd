// Writes models as 3DS bytes: main chunk, editor section with material blocks (name, byte
// colours, texture 1) and named mesh objects (vertices, uvs, faces, material and smoothing
// groups), closed by an empty keyframer section so no model value sits in the file's last bytes.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace gen {

struct ThreeDsColor {
    uint8_t r = 0;
    uint8_t g = 0;
    uint8_t b = 0;
};

struct ThreeDsMaterial {
    std::string name;  // at most 19 characters: meshes refer to it by this name
    ThreeDsColor ambient;
    ThreeDsColor diffuse;
    ThreeDsColor specular;
    std::string texture;  // texture-1 file name (at most 19 characters); empty for none
    int16_t texturePercent = 100;
};

struct ThreeDsFace {
    uint16_t a = 0;
    uint16_t b = 0;
    uint16_t c = 0;
    uint32_t smoothing = 1;
    int material = -1;  // index into ThreeDsModel::materials, or -1 for none
};

struct ThreeDsObject {
    std::string name;  // at most 98 characters
    std::vector<std::array<float, 3>> vertices;
    std::vector<std::array<float, 2>> uvs;  // empty, or one per vertex
    std::vector<ThreeDsFace> faces;
};

struct ThreeDsModel {
    std::vector<ThreeDsMaterial> materials;
    std::vector<ThreeDsObject> objects;
};

class ThreeDsWriter {
public:
    // The model as 3DS bytes; false (and `error()` says why) when it breaks a format limit.
    bool write(const ThreeDsModel& model, std::vector<uint8_t>& out);
    const std::string& error() const { return error_; }

private:
    bool validate(const ThreeDsModel& model);

    std::string error_;
};

}  // namespace gen
