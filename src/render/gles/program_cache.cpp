#include "render/gles/program_cache.h"

#include <cstring>

#include "base/log.h"

namespace render::gles {

bool ProgramKey::operator==(const ProgramKey& other) const {
    return std::memcmp(this, &other, sizeof *this) == 0;
}

size_t ProgramKeyHash::operator()(const ProgramKey& key) const {
    // FNV-1a over the key's words.
    uint64_t hash = 1469598103934665603ull;
    const auto* words = reinterpret_cast<const uint32_t*>(&key);
    for (size_t i = 0; i < sizeof key / sizeof(uint32_t); ++i) {
        hash = (hash ^ words[i]) * 1099511628211ull;
    }
    return static_cast<size_t>(hash);
}

namespace {

std::string index(const char* name, int i) {
    return std::string(name) + std::to_string(i);
}

// One vector of a uniform array: uTransform[4].
std::string element(const std::string& array, int i) {
    return array + "[" + std::to_string(i) + "]";
}

// The four vectors from `first` as the columns of a matrix.
std::string matrix(const std::string& array, int first) {
    return "mat4(" + element(array, first) + ", " + element(array, first + 1) + ", " +
           element(array, first + 2) + ", " + element(array, first + 3) + ")";
}

bool needsEye(const ProgramKey& key) {
    if (key.lighting) {
        return true;
    }
    for (const auto& unit : key.units) {
        if (unit.enabled && (unit.generateS == kEyeLinear || unit.generateT == kEyeLinear)) {
            return true;
        }
    }
    return false;
}

int lightsOn(const ProgramKey& key) {
    int count = 0;
    for (uint32_t light : key.lights) {
        count += light != kLightOff;
    }
    return count;
}

// s or t of one unit: the vertex's own, or generated from a plane.
std::string coordinate(uint32_t generation, const std::string& plane, const std::string& own) {
    if (generation == kObjectLinear) {
        return "dot(" + plane + ", aPosition)";
    }
    if (generation == kEyeLinear) {
        return "dot(" + plane + ", eye)";
    }
    return own;
}

void appendLighting(const ProgramKey& key, std::string& s) {
    s += "    vec3 n = vec3(dot(uTransform[8].xyz, aNormal), dot(uTransform[9].xyz, aNormal),\n"
         "                  dot(uTransform[10].xyz, aNormal));\n"
         "    vec3 color = uLighting[0].rgb;\n";
    int base = 2;
    for (int i = 0; i < kLightCount; ++i) {
        if (key.lights[i] == kLightOff) {
            continue;
        }
        const auto at = [base](int k) { return element("uLighting", base + k); };
        s += "    {\n";
        if (key.lights[i] == kLightPositional) {
            s += "        vec3 toLight = " + at(0) +
                 ".xyz - eye.xyz;\n"
                 "        float distance = length(toLight);\n"
                 "        vec3 l = toLight / distance;\n"
                 "        vec3 h = normalize(l + vec3(0.0, 0.0, 1.0));\n"
                 "        float attenuation = 1.0 / dot(" +
                 at(5) + ".xyz, vec3(1.0, distance, distance * distance));\n";
        } else {
            s += "        vec3 l = " + at(0) + ".xyz;\n        vec3 h = " + at(1) +
                 ".xyz;\n        float attenuation = 1.0;\n";
        }
        s += "        float nDotL = dot(n, l);\n"
             "        vec3 sum = " +
             at(2) +
             ".xyz;\n"
             "        if (nDotL > 0.0) {\n"
             "            sum += nDotL * " +
             at(3) +
             ".xyz;\n"
             "            float nDotH = max(dot(n, h), 0.0);\n"
             "            sum += pow(nDotH, uLighting[1].x) * " +
             at(4) +
             ".xyz;\n"
             "        }\n"
             "        color += attenuation * sum;\n"
             "    }\n";
        base += kLightVectors;
    }
    s += "    vColor = clamp(vec4(color, uLighting[1].y), 0.0, 1.0);\n";
}

std::string argument(uint32_t source, uint32_t operand, int unit, bool alpha) {
    std::string value;
    switch (source) {
        case GL_TEXTURE:
            value = "texel";
            break;
        case GL_CONSTANT:
            value = element(index("uUnitFragment", unit), 0);
            break;
        case GL_PRIMARY_COLOR:
            value = "vColor";
            break;
        default:
            value = "previous";
            break;
    }
    switch (operand) {
        case GL_ONE_MINUS_SRC_COLOR:
            return alpha ? "(1.0 - " + value + ".a)" : "(vec3(1.0) - " + value + ".rgb)";
        case GL_SRC_ALPHA:
            return alpha ? value + ".a" : "vec3(" + value + ".a)";
        case GL_ONE_MINUS_SRC_ALPHA:
            return alpha ? "(1.0 - " + value + ".a)" : "vec3(1.0 - " + value + ".a)";
        default:
            return alpha ? value + ".a" : value + ".rgb";
    }
}

std::string combine(uint32_t function, const std::string a[3], bool alpha) {
    switch (function) {
        case GL_REPLACE:
            return a[0];
        case GL_ADD:
            return a[0] + " + " + a[1];
        case GL_ADD_SIGNED:
            return a[0] + " + " + a[1] + (alpha ? " - 0.5" : " - vec3(0.5)");
        case GL_SUBTRACT:
            return a[0] + " - " + a[1];
        case GL_INTERPOLATE:
            return a[0] + " * " + a[2] + " + " + a[1] + " * (" + (alpha ? "1.0" : "vec3(1.0)") +
                   " - " + a[2] + ")";
        default:
            return a[0] + " * " + a[1];
    }
}

void appendUnit(const ProgramKey::UnitKey& unit, int u, std::string& s) {
    const std::string coords = index("vTexCoord", u);
    s += "    {\n";
    s += unit.textureMatrix
             ? "        vec4 texel = textureProj(" + index("uSampler", u) + ", " + coords +
                   ".stq);\n"
             : "        vec4 texel = texture(" + index("uSampler", u) + ", " + coords + ".st);\n";
    if (!unit.hasAlpha) {
        s += "        texel.a = 1.0;\n";
    }
    switch (unit.mode) {
        case GL_REPLACE:
            s += unit.hasAlpha ? "        previous = texel;\n"
                               : "        previous.rgb = texel.rgb;\n";
            break;
        case GL_ADD:
            s += "        previous = vec4(previous.rgb + texel.rgb, previous.a * texel.a);\n";
            break;
        case GL_DECAL:
            s += "        previous.rgb = mix(previous.rgb, texel.rgb, texel.a);\n";
            break;
        case GL_COMBINE: {
            std::string rgb[3], alpha[3];
            for (int i = 0; i < 3; ++i) {
                rgb[i] = argument(unit.sourceRgb[i], unit.operandRgb[i], u, false);
                alpha[i] = argument(unit.sourceAlpha[i], unit.operandAlpha[i], u, true);
            }
            const std::string scales = element(index("uUnitFragment", u), 1);
            s += "        vec3 rgb = (" + combine(unit.combineRgb, rgb, false) + ") * " + scales +
                 ".x;\n";
            s += "        float alpha = (" + combine(unit.combineAlpha, alpha, true) + ") * " +
                 scales + ".y;\n";
            s += "        previous = vec4(rgb, alpha);\n";
            break;
        }
        default:
            s += "        previous = previous * texel;\n";
            break;
    }
    s += "        previous = clamp(previous, 0.0, 1.0);\n    }\n";
}

// A shader's or a program's status: empty when it compiled or linked, else its info log.
template <typename GetStatus, typename GetLog>
std::string failure(GLuint object, GLenum status, GetStatus getStatus, GetLog getLog) {
    GLint ok = GL_FALSE;
    getStatus(object, status, &ok);
    if (ok == GL_TRUE) {
        return {};
    }
    char log[2048] = {};
    getLog(object, sizeof log, nullptr, log);
    return log[0] != '\0' ? log : "no log";
}

GLuint compileShader(GLenum kind, const std::string& source) {
    const GLuint shader = glCreateShader(kind);
    const char* text = source.c_str();
    glShaderSource(shader, 1, &text, nullptr);
    glCompileShader(shader);
    const std::string log = failure(shader, GL_COMPILE_STATUS, glGetShaderiv, glGetShaderInfoLog);
    if (!log.empty()) {
        logWindow->say(LogLevel::Error, LogModule::Render,
                       "tarvel: GL layer shader does not compile: %s\n%s", log.c_str(), text);
        glDeleteShader(shader);
        return 0;
    }
    return shader;
}

}  // namespace

GLuint compileProgram(const std::string& vertex, const std::string& fragment) {
    const GLuint vs = compileShader(GL_VERTEX_SHADER, vertex);
    const GLuint fs = compileShader(GL_FRAGMENT_SHADER, fragment);
    if (vs == 0 || fs == 0) {
        glDeleteShader(vs);
        glDeleteShader(fs);
        return 0;
    }
    const GLuint program = glCreateProgram();
    glAttachShader(program, vs);
    glAttachShader(program, fs);
    glLinkProgram(program);
    glDeleteShader(vs);
    glDeleteShader(fs);
    const std::string log = failure(program, GL_LINK_STATUS, glGetProgramiv, glGetProgramInfoLog);
    if (!log.empty()) {
        logWindow->say(LogLevel::Error, LogModule::Render,
                       "tarvel: GL layer program does not link: %s", log.c_str());
        glDeleteProgram(program);
        return 0;
    }
    return program;
}

int ProgramCache::transformVectors(const ProgramKey& key) {
    return key.lighting ? 11 : needsEye(key) ? 8 : 4;
}

int ProgramCache::lightingVectors(const ProgramKey& key) {
    return key.lighting ? 2 + kLightVectors * lightsOn(key) : 0;
}

std::string ProgramCache::vertexSource(const ProgramKey& key) {
    std::string s =
        "#version 300 es\n"
        "precision highp float;\n"
        "layout(location = 0) in vec4 aPosition;\n"
        "layout(location = 1) in vec4 aColor;\n"
        "layout(location = 2) in vec3 aNormal;\n"
        "out vec4 vColor;\n";
    for (int u = 0; u < kUnitCount; ++u) {
        s += "layout(location = " + std::to_string(3 + u) + ") in vec2 aTexCoord" +
             std::to_string(u) + ";\n";
    }
    s += "uniform vec4 uTransform[" + std::to_string(transformVectors(key)) + "];\n";
    if (key.lighting) {
        s += "uniform vec4 uLighting[" + std::to_string(lightingVectors(key)) + "];\n";
    }
    for (int u = 0; u < kUnitCount; ++u) {
        if (key.units[u].enabled) {
            const std::string n = std::to_string(u);
            s += "out vec4 vTexCoord" + n + ";\nuniform vec4 uUnitVertex" + n + "[" +
                 std::to_string(kUnitVertexVectors) + "];\n";
        }
    }
    // A matrix times a vector as a chain of multiply-adds over its columns, in the order
    // Mesa's fixed-function vertex program sums them: both paths place vertices alike.
    s += "vec4 transform(mat4 m, vec4 v) {\n"
         "    vec4 sum = v.x * m[0];\n"
         "    sum = v.y * m[1] + sum;\n"
         "    sum = v.z * m[2] + sum;\n"
         "    return v.w * m[3] + sum;\n"
         "}\n"
         "void main() {\n"
         "    gl_Position = transform(" +
         matrix("uTransform", 0) + ", aPosition);\n";
    if (needsEye(key)) {
        s += "    vec4 eye = transform(" + matrix("uTransform", 4) + ", aPosition);\n";
    }
    if (key.lighting) {
        appendLighting(key, s);
    } else {
        s += "    vColor = aColor;\n";
    }
    for (int u = 0; u < kUnitCount; ++u) {
        const ProgramKey::UnitKey& unit = key.units[u];
        if (!unit.enabled) {
            continue;
        }
        const std::string n = std::to_string(u);
        const std::string planes = index("uUnitVertex", u);
        const auto plane = [&](uint32_t generation, int objectLinear) {
            return element(planes, generation == kObjectLinear ? objectLinear : objectLinear + 2);
        };
        s += "    vec4 coords" + n + " = vec4(" +
             coordinate(unit.generateS, plane(unit.generateS, 4), "aTexCoord" + n + ".s") + ", " +
             coordinate(unit.generateT, plane(unit.generateT, 5), "aTexCoord" + n + ".t") +
             ", 0.0, 1.0);\n";
        s += unit.textureMatrix ? "    vTexCoord" + n + " = transform(" + matrix(planes, 0) +
                                      ", coords" + n + ");\n"
                                : "    vTexCoord" + n + " = coords" + n + ";\n";
    }
    s += "}\n";
    return s;
}

std::string ProgramCache::fragmentSource(const ProgramKey& key) {
    std::string s =
        "#version 300 es\n"
        "precision highp float;\n"
        "in vec4 vColor;\n"
        "out vec4 fragColor;\n";
    for (int u = 0; u < kUnitCount; ++u) {
        if (key.units[u].enabled) {
            const std::string n = std::to_string(u);
            s += "in vec4 vTexCoord" + n + ";\nuniform sampler2D uSampler" + n +
                 ";\nuniform vec4 uUnitFragment" + n + "[" + std::to_string(kUnitFragmentVectors) +
                 "];\n";
        }
    }
    s += "void main() {\n    vec4 previous = vColor;\n";
    for (int u = 0; u < kUnitCount; ++u) {
        if (key.units[u].enabled) {
            appendUnit(key.units[u], u, s);
        }
    }
    s += "    fragColor = previous;\n}\n";
    return s;
}

ProgramCache::~ProgramCache() = default;

void ProgramCache::clear() {
    programs_.clear();
    last_ = nullptr;
}

Program* ProgramCache::find(const ProgramKey& key) {
    if (last_ != nullptr && key == lastKey_) {
        return last_;
    }
    auto found = programs_.find(key);
    if (found == programs_.end()) {
        auto program = std::make_unique<Program>();
        program->object = compileProgram(vertexSource(key), fragmentSource(key));
        const GLuint p = program->object;
        if (p != 0) {
            auto group = [&](int which, const std::string& name, int vectors) {
                program->locations[which] = glGetUniformLocation(p, name.c_str());
                program->vectors[which] = vectors;
            };
            group(kTransformGroup, "uTransform", transformVectors(key));
            if (key.lighting) {
                group(kLightingGroup, "uLighting", lightingVectors(key));
            }
            for (int u = 0; u < kUnitCount; ++u) {
                if (!key.units[u].enabled) {
                    continue;
                }
                group(kFirstUnitVertexGroup + u, index("uUnitVertex", u), kUnitVertexVectors);
                group(kFirstUnitFragmentGroup + u, index("uUnitFragment", u), kUnitFragmentVectors);
                program->samplers[u] = glGetUniformLocation(p, index("uSampler", u).c_str());
            }
        }
        found = programs_.emplace(key, std::move(program)).first;
    }
    lastKey_ = key;
    last_ = found->second->object != 0 ? found->second.get() : nullptr;
    return last_;
}

}  // namespace render::gles
