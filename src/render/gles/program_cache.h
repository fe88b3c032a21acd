// The layer's shaders: one GL ES program per combination of the fixed-function switches in
// use (which lights, positional or not; per texture unit its generation, environment and
// texture format), written out and compiled on first use, as GL drivers do for their own
// fixed-function emulation.
#pragma once

#include <GLES3/gl3.h>

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>

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

struct Program {
    GLuint object = 0;
    GLint mvp = -1, modelview = -1, normalRows = -1;
    GLint sceneColor = -1, shininess = -1, diffuseAlpha = -1;
    struct LightUniforms {
        GLint position = -1, halfVector = -1, ambient = -1, diffuse = -1, specular = -1,
              attenuation = -1;
    } lights[kLightCount];
    struct UnitUniforms {
        GLint sampler = -1, textureMatrix = -1, objectS = -1, objectT = -1, eyeS = -1, eyeT = -1;
        GLint environmentColor = -1, rgbScale = -1, alphaScale = -1;
    } units[kUnitCount];
    // The state stamps last sent, so unchanged uniforms are not sent again.
    uint64_t transformStamp = ~0ull, lightingStamp = ~0ull, texturingStamp = ~0ull;
};

class ProgramCache {
public:
    ~ProgramCache();
    // The program for a key, made now if it is new; null if GL ES refuses it.
    Program* find(const ProgramKey& key);
    void clear();  // forgets everything (the context that held the programs is gone)

    static std::string vertexSource(const ProgramKey& key);
    static std::string fragmentSource(const ProgramKey& key);

private:
    std::unordered_map<ProgramKey, std::unique_ptr<Program>, ProgramKeyHash> programs_;
    ProgramKey lastKey_;
    Program* last_ = nullptr;
};

// A program from two sources; 0, with the compiler's log in the log, when one does not
// compile or they do not link.
GLuint compileProgram(const std::string& vertex, const std::string& fragment);

}  // namespace render::gles
