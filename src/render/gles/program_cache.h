// The layer's shaders: one GL ES program per combination of the fixed-function switches in
// use (which lights, positional or not; per texture unit its generation, environment and
// texture format), written out and compiled on first use, as GL drivers do for their own
// fixed-function emulation.
#pragma once

#include <GLES3/gl3.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "render/gles/state.h"

namespace render::gles {

enum LightKind : uint32_t { kLightOff = 0, kLightDirectional = 1, kLightPositional = 2 };
enum GenerationKind : uint32_t { kGenerationOff = 0, kObjectLinear = 1, kEyeLinear = 2 };

// Plain 32-bit fields only, so keys compare and hash as bytes.
struct ProgramKey {
    uint32_t lighting = 0;
    uint32_t lights[kLightCount] = {};
    struct UnitKey {
        uint32_t enabled = 0;
        uint32_t hasAlpha = 0;
        uint32_t generateS = 0, generateT = 0;
        uint32_t textureMatrix = 0;
        uint32_t mode = 0;
        uint32_t combineRgb = 0, combineAlpha = 0;
        uint32_t sourceRgb[3] = {}, sourceAlpha[3] = {};
        uint32_t operandRgb[3] = {}, operandAlpha[3] = {};
    } units[kUnitCount];

    bool operator==(const ProgramKey& other) const;
};

struct ProgramKeyHash {
    size_t operator()(const ProgramKey& key) const;
};

// A program's uniforms come in a few arrays of vec4, one call each: what a draw sets up
// changes by groups, and a group is sent whole when any of it changed.
enum UniformGroup : int {
    // Combined matrix (4 vectors), model-view (4, where eye coordinates are needed) and the
    // normal matrix's rows (3, with lighting).
    kTransformGroup,
    // Scene colour; shininess and diffuse alpha; then 6 for each light on, in order:
    // position, half vector, ambient, diffuse and specular products, attenuation.
    kLightingGroup,
    // Per unit: texture matrix (4) and the object and eye planes for s and t.
    kFirstUnitVertexGroup,
    // Per unit: environment colour; RGB and alpha scale.
    kFirstUnitFragmentGroup = kFirstUnitVertexGroup + kUnitCount,
    kGroupCount = kFirstUnitFragmentGroup + kUnitCount
};
constexpr int kUnitVertexVectors = 8, kUnitFragmentVectors = 2;
constexpr int kLightVectors = 6;

struct Program {
    GLuint object = 0;
    GLint locations[kGroupCount];   // -1: the program has no such group
    int vectors[kGroupCount] = {};  // how many vec4 the program reads of each
    GLint samplers[kUnitCount];
    // The versions of what a draw sets up last sent (0: never), and whether the samplers
    // have been given their units.
    uint64_t sentTransform = 0, sentLighting = 0;
    uint64_t sentTextureTransform[kUnitCount] = {}, sentUnitUniforms[kUnitCount] = {};
    bool samplersSet = false;
    // What each group was last sent; a group sent again unchanged is not sent.
    std::array<std::vector<float>, kGroupCount> sent;
    Program() {
        std::fill(std::begin(locations), std::end(locations), -1);
        std::fill(std::begin(samplers), std::end(samplers), -1);
    }
};

class ProgramCache {
public:
    ~ProgramCache();
    // The program for a key, made now if it is new (which leaves what GL ES draws with as it
    // was); null if GL ES refuses it.
    Program* find(const ProgramKey& key);
    void clear();  // forgets everything (the context that held the programs is gone)

    static std::string vertexSource(const ProgramKey& key);
    static std::string fragmentSource(const ProgramKey& key);
    // How many vectors of the transform and lighting groups a key's program reads.
    static int transformVectors(const ProgramKey& key);
    static int lightingVectors(const ProgramKey& key);

private:
    std::unordered_map<ProgramKey, std::unique_ptr<Program>, ProgramKeyHash> programs_;
    ProgramKey lastKey_;
    Program* last_ = nullptr;
};

// A program from two sources; 0, with the compiler's log in the log, when one does not
// compile or they do not link.
GLuint compileProgram(const std::string& vertex, const std::string& fragment);

}  // namespace render::gles
