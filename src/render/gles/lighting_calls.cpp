// Lights, materials, texture environments and texture coordinate generation: recorded
// here, worked out per vertex and per fragment by the programs.
#include <cstring>
#include <utility>

#include "render/gles/context.h"
#include "render/gles/entry_points.h"

namespace render::gles {

namespace {

// The colour a light or a material names `name`, or null for a value that is not one of
// the colours both have.
template <typename LightOrMaterial>
float* sharedColour(LightOrMaterial& x, GLenum name) {
    return name == GL_AMBIENT    ? x.ambient
           : name == GL_DIFFUSE  ? x.diffuse
           : name == GL_SPECULAR ? x.specular
                                 : nullptr;
}

void setColour(float* colour, const GLfloat* values) {
    std::memcpy(colour, values, 4 * sizeof *values);
}

void setMaterial(Material& m, GLenum name, const GLfloat* values) {
    if (float* colour = sharedColour(m, name)) {
        setColour(colour, values);
    } else if (name == GL_AMBIENT_AND_DIFFUSE) {
        setColour(m.ambient, values);
        setColour(m.diffuse, values);
    } else if (name == GL_EMISSION) {
        setColour(m.emission, values);
    } else if (name == GL_SHININESS) {
        m.shininess = values[0];
    }
}

bool knownMaterial(GLenum name) {
    return name == GL_AMBIENT || name == GL_DIFFUSE || name == GL_AMBIENT_AND_DIFFUSE ||
           name == GL_SPECULAR || name == GL_EMISSION || name == GL_SHININESS;
}

Generation* generation(Context& c, GLenum coordinate) {
    Unit& unit = c.state.texturing.units[c.state.texturing.active];
    if (coordinate == GL_S) {
        return &unit.s;
    }
    if (coordinate == GL_T) {
        return &unit.t;
    }
    c.fail(GL_INVALID_ENUM);
    return nullptr;
}

void setEnvironment(GLenum target, GLenum name, GLint value, float floatValue) {
    Context& c = context();
    if (target != GL_TEXTURE_ENV) {
        c.fail(GL_INVALID_ENUM);
        return;
    }
    TextureEnvironment& e = c.state.texturing.units[c.state.texturing.active].environment;
    const auto v = static_cast<GLenum>(value);
    // The three arguments' sources and operands: each name of a kind follows its first.
    const std::pair<GLenum, GLenum*> arguments[] = {{GL_SOURCE0_RGB, e.sourceRgb},
                                                    {GL_SOURCE0_ALPHA, e.sourceAlpha},
                                                    {GL_OPERAND0_RGB, e.operandRgb},
                                                    {GL_OPERAND0_ALPHA, e.operandAlpha}};
    for (const auto& [first, values] : arguments) {
        if (name >= first && name < first + 3) {
            values[name - first] = v;
            return;
        }
    }
    switch (name) {
        case GL_TEXTURE_ENV_MODE:
            e.mode = v;
            return;
        case GL_COMBINE_RGB:
            e.combineRgb = v;
            return;
        case GL_COMBINE_ALPHA:
            e.combineAlpha = v;
            return;
        case GL_RGB_SCALE:
            e.rgbScale = floatValue;
            return;
        case GL_ALPHA_SCALE:
            e.alphaScale = floatValue;
            return;
        default:
            c.fail(GL_INVALID_ENUM);
            return;
    }
}

}  // namespace

void Lightfv(GLenum lightName, GLenum name, const GLfloat* values) {
    Context& c = context();
    if (lightName < GL_LIGHT0 || lightName >= GL_LIGHT0 + kLightCount) {
        c.fail(GL_INVALID_ENUM);
        return;
    }
    Light& light = c.state.lighting.lights[lightName - GL_LIGHT0];
    if (float* colour = sharedColour(light, name)) {
        setColour(colour, values);
        return;
    }
    switch (name) {
        case GL_POSITION:
            // Kept in eye coordinates, through the model-view matrix of this moment.
            c.modelview.back().transform(values, light.position);
            return;
        case GL_CONSTANT_ATTENUATION:
        case GL_LINEAR_ATTENUATION:
        case GL_QUADRATIC_ATTENUATION:
            light.attenuation[name - GL_CONSTANT_ATTENUATION] = values[0];
            return;
        default:
            c.fail(GL_INVALID_ENUM);
            return;
    }
}

void Materialfv(GLenum face, GLenum name, const GLfloat* values) {
    Context& c = context();
    if (!knownMaterial(name) ||
        (face != GL_FRONT && face != GL_BACK && face != GL_FRONT_AND_BACK)) {
        c.fail(GL_INVALID_ENUM);
        return;
    }
    if (face != GL_BACK) {
        setMaterial(c.state.lighting.front, name, values);
    }
    if (face != GL_FRONT) {
        setMaterial(c.state.lighting.back, name, values);
    }
}

void Materialf(GLenum face, GLenum name, GLfloat value) {
    if (name != GL_SHININESS) {
        context().fail(GL_INVALID_ENUM);
        return;
    }
    Materialfv(face, name, &value);
}

void TexEnvi(GLenum target, GLenum name, GLint value) {
    setEnvironment(target, name, value, static_cast<float>(value));
}

void TexEnvf(GLenum target, GLenum name, GLfloat value) {
    setEnvironment(target, name, static_cast<GLint>(value), value);
}

void TexGeni(GLenum coordinate, GLenum name, GLint value) {
    Context& c = context();
    Generation* g = generation(c, coordinate);
    if (g == nullptr) {
        return;
    }
    if (name != GL_TEXTURE_GEN_MODE || (value != GL_OBJECT_LINEAR && value != GL_EYE_LINEAR)) {
        c.fail(GL_INVALID_ENUM);
        return;
    }
    g->mode = static_cast<GLenum>(value);
}

void TexGenfv(GLenum coordinate, GLenum name, const GLfloat* values) {
    Context& c = context();
    Generation* g = generation(c, coordinate);
    if (g == nullptr) {
        return;
    }
    if (name == GL_OBJECT_PLANE) {
        std::memcpy(g->objectPlane, values, sizeof g->objectPlane);
    } else if (name == GL_EYE_PLANE) {
        // Kept as the plane times the inverse model-view matrix of this moment.
        const Matrix inverse = c.modelview.back().inverse();
        for (int i = 0; i < 4; ++i) {
            g->eyePlane[i] = values[0] * inverse.m[i * 4 + 0] + values[1] * inverse.m[i * 4 + 1] +
                             values[2] * inverse.m[i * 4 + 2] + values[3] * inverse.m[i * 4 + 3];
        }
    } else if (name == GL_TEXTURE_GEN_MODE) {
        TexGeni(coordinate, name, static_cast<GLint>(values[0]));
    } else {
        c.fail(GL_INVALID_ENUM);
    }
}

}  // namespace render::gles
