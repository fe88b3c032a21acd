// Textures: GL 1.x names mapped to GL ES textures, every image stored as RGBA8 (GL ES
// takes neither GL_CLAMP nor 32-bit integer texels), sizes kept here, contents read back
// through a framebuffer where GL ES has no glGetTexImage.
#include <cstring>
#include <vector>

#include "render/gles/context.h"
#include "render/gles/entry_points.h"

namespace render::gles {

namespace {

bool validTarget(Context& c, GLenum target) {
    if (target != GL_TEXTURE_2D) {
        c.fail(GL_INVALID_ENUM);
        return false;
    }
    return true;
}

Texture* bound(Context& c) {
    const int unit = c.state.texturing.active;
    GLuint& name = c.state.texturing.units[unit].bound;
    if (name == 0) {
        return nullptr;
    }
    Texture& texture = c.textures[name];
    if (texture.object == 0) {
        glGenTextures(1, &texture.object);
    }
    return &texture;
}

// The image as RGBA8 rows, bottom row first as given.
bool toRgba(const void* pixels, GLsizei width, GLsizei height, GLenum format, GLenum type,
            GLint alignment, std::vector<GLubyte>& rgba) {
    int channels = 0;
    switch (format) {
        case GL_RGB:
            channels = 3;
            break;
        case GL_RGBA:
        case GL_BGRA:
            channels = 4;
            break;
        case GL_LUMINANCE:
            channels = 1;
            break;
        default:
            return false;
    }
    if (type != GL_UNSIGNED_BYTE && type != GL_UNSIGNED_INT) {
        return false;
    }
    const size_t bytes = type == GL_UNSIGNED_INT ? 4 : 1;
    const size_t rowBytes =
        (static_cast<size_t>(width) * channels * bytes + alignment - 1) / alignment * alignment;
    rgba.assign(static_cast<size_t>(width) * height * 4, 0);
    if (pixels == nullptr) {
        return true;
    }
    const auto* source = static_cast<const GLubyte*>(pixels);
    auto component = [&](const GLubyte* row, size_t index) -> GLubyte {
        if (type == GL_UNSIGNED_INT) {
            uint32_t value = 0;
            std::memcpy(&value, row + index * 4, 4);
            return static_cast<GLubyte>(value >> 24);
        }
        return row[index];
    };
    for (GLsizei y = 0; y < height; ++y) {
        const GLubyte* row = source + y * rowBytes;
        GLubyte* out = rgba.data() + static_cast<size_t>(y) * width * 4;
        for (GLsizei x = 0; x < width; ++x, out += 4) {
            const size_t first = static_cast<size_t>(x) * channels;
            if (channels == 1) {
                out[0] = out[1] = out[2] = component(row, first);
                out[3] = 255;
                continue;
            }
            for (int k = 0; k < 3; ++k) {
                out[k] = component(row, first + k);
            }
            out[3] = channels == 4 ? component(row, first + 3) : 255;
            if (format == GL_BGRA) {
                std::swap(out[0], out[2]);
            }
        }
    }
    return true;
}

bool hasAlpha(GLint internalFormat) {
    return internalFormat == GL_RGBA || internalFormat == 4 || internalFormat == GL_RGBA8;
}

GLint esWrap(GLint wrap) {
    // GL_CLAMP's border is GL's black; the textures the show clamps fade out at their
    // edges, where clamping to the edge texel gives the same picture.
    return wrap == GL_CLAMP ? GL_CLAMP_TO_EDGE : wrap;
}

// GL 1.x's images here have one level: GL ES samples them only when told so.
void markSingleLevel(Texture& texture) {
    if (!texture.singleLevel) {
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
        texture.singleLevel = true;
    }
}

}  // namespace

void GenTextures(GLsizei count, GLuint* names) {
    Context& c = context();
    if (count < 0) {
        c.fail(GL_INVALID_VALUE);
        return;
    }
    for (GLsizei i = 0; i < count; ++i) {
        names[i] = c.nextTexture++;
        c.textures[names[i]];
    }
}

void DeleteTextures(GLsizei count, const GLuint* names) {
    Context& c = context();
    for (GLsizei i = 0; i < count; ++i) {
        auto found = c.textures.find(names[i]);
        if (names[i] == 0 || found == c.textures.end()) {
            continue;
        }
        if (found->second.object != 0) {
            // The draws waiting may sample it; GL ES binds 0 where it was bound.
            flush(c);
            glDeleteTextures(1, &found->second.object);
            for (GLuint& object : c.es.textures) {
                if (object == found->second.object) {
                    object = 0;
                }
            }
        }
        c.textures.erase(found);
        // A deleted texture that was bound leaves its units bound to 0.
        for (Unit& unit : c.state.texturing.units) {
            if (unit.bound == names[i]) {
                unit.bound = 0;
            }
        }
    }
}

void BindTexture(GLenum target, GLuint name) {
    Context& c = context();
    if (!validTarget(c, target)) {
        return;
    }
    c.state.texturing.units[c.state.texturing.active].bound = name;
    if (name != 0) {
        bound(c);
    }
}

void ActiveTexture(GLenum unit) {
    Context& c = context();
    const int index = static_cast<int>(unit) - GL_TEXTURE0;
    if (index < 0 || index >= kUnitCount) {
        c.fail(GL_INVALID_ENUM);
        return;
    }
    c.state.texturing.active = index;
}

void TexImage2D(GLenum target, GLint level, GLint internalFormat, GLsizei width, GLsizei height,
                GLint border, GLenum format, GLenum type, const void* pixels) {
    Context& c = context();
    if (!validTarget(c, target)) {
        return;
    }
    if (level != 0 || border != 0 || width < 0 || height < 0) {
        c.fail(GL_INVALID_VALUE);
        return;
    }
    Texture* texture = bound(c);
    std::vector<GLubyte> rgba;
    if (texture == nullptr ||
        !toRgba(pixels, width, height, format, type, c.client.pixels.unpackAlignment, rgba)) {
        c.fail(texture == nullptr ? GL_INVALID_OPERATION : GL_INVALID_ENUM);
        return;
    }
    texture->width = width;
    texture->height = height;
    texture->hasAlpha = hasAlpha(internalFormat);
    flush(c);
    bindTextureToChange(c, texture->object);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                 rgba.data());
    markSingleLevel(*texture);
}

void TexParameteri(GLenum target, GLenum name, GLint value) {
    Context& c = context();
    Texture* texture = validTarget(c, target) ? bound(c) : nullptr;
    if (texture == nullptr) {
        return;
    }
    GLenum* kept = name == GL_TEXTURE_MIN_FILTER   ? &texture->minFilter
                   : name == GL_TEXTURE_MAG_FILTER ? &texture->magFilter
                   : name == GL_TEXTURE_WRAP_S     ? &texture->wrapS
                   : name == GL_TEXTURE_WRAP_T     ? &texture->wrapT
                                                   : nullptr;
    if (kept == nullptr) {
        c.fail(GL_INVALID_ENUM);
        return;
    }
    // The initial values are GL ES's own: only a change is sent.
    if (*kept == static_cast<GLenum>(value)) {
        return;
    }
    *kept = static_cast<GLenum>(value);
    if (name == GL_TEXTURE_WRAP_S || name == GL_TEXTURE_WRAP_T) {
        value = esWrap(value);
    }
    flush(c);
    bindTextureToChange(c, texture->object);
    glTexParameteri(GL_TEXTURE_2D, name, value);
}

void CopyTexImage2D(GLenum target, GLint level, GLenum format, GLint x, GLint y, GLsizei width,
                    GLsizei height, GLint border) {
    Context& c = context();
    if (!validTarget(c, target)) {
        return;
    }
    Texture* texture = bound(c);
    if (texture == nullptr || level != 0 || border != 0) {
        c.fail(texture == nullptr ? GL_INVALID_OPERATION : GL_INVALID_VALUE);
        return;
    }
    texture->width = width;
    texture->height = height;
    texture->hasAlpha = hasAlpha(static_cast<GLint>(format));
    // The copy takes what the draws before it drew, from the framebuffer the picture is read
    // from (nothing the held-back calls do binds another). It is clipped to the scissor box
    // in neither GL: no fixed state needed.
    closeBatch(c);
    c.bindPictureForReading();
    bindTextureToChange(c, texture->object);
    c.commands.copyTexImage(x, y, width, height, !texture->singleLevel);
    texture->singleLevel = true;
}

void GetTexLevelParameteriv(GLenum target, GLint level, GLenum name, GLint* values) {
    Context& c = context();
    if (!validTarget(c, target)) {
        return;
    }
    const Texture* texture = bound(c);
    const bool present = texture != nullptr && level == 0;
    switch (name) {
        case GL_TEXTURE_WIDTH:
            *values = present ? texture->width : 0;
            return;
        case GL_TEXTURE_HEIGHT:
            *values = present ? texture->height : 0;
            return;
        case GL_TEXTURE_INTERNAL_FORMAT:
            *values = present && !texture->hasAlpha ? GL_RGB : GL_RGBA;
            return;
        case GL_TEXTURE_GREEN_SIZE:  // every texture is kept as RGBA8, grey ones too
            *values = present ? 8 : 0;
            return;
        default:
            c.fail(GL_INVALID_ENUM);
            return;
    }
}

void GetTexImage(GLenum target, GLint level, GLenum format, GLenum type, void* pixels) {
    Context& c = context();
    if (!validTarget(c, target)) {
        return;
    }
    const Texture* texture = bound(c);
    if (texture == nullptr || level != 0 || texture->width == 0 || pixels == nullptr) {
        return;
    }
    if ((format != GL_RGBA && format != GL_RGB && format != GL_BGRA) || type != GL_UNSIGNED_BYTE) {
        c.fail(GL_INVALID_ENUM);
        return;
    }
    flush(c);
    std::vector<GLubyte> rgba(static_cast<size_t>(texture->width) * texture->height * 4);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, c.readFramebuffer);
    glFramebufferTexture2D(GL_READ_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D,
                           texture->object, 0);
    glReadBuffer(GL_COLOR_ATTACHMENT0);
    glReadPixels(0, 0, texture->width, texture->height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    glFramebufferTexture2D(GL_READ_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, 0, 0);
    c.bindPictureForReading();
    // Texture rows are packed with the pack alignment like any read.
    const int channels = format == GL_RGB ? 3 : 4;
    const int alignment = c.client.pixels.packAlignment;
    const size_t rowBytes =
        (static_cast<size_t>(texture->width) * channels + alignment - 1) / alignment * alignment;
    auto* out = static_cast<GLubyte*>(pixels);
    for (int y = 0; y < texture->height; ++y) {
        const GLubyte* from = rgba.data() + static_cast<size_t>(y) * texture->width * 4;
        GLubyte* to = out + y * rowBytes;
        for (int x = 0; x < texture->width; ++x, from += 4, to += channels) {
            to[0] = format == GL_BGRA ? from[2] : from[0];
            to[1] = from[1];
            to[2] = format == GL_BGRA ? from[0] : from[2];
            if (channels == 4) {
                to[3] = texture->hasAlpha ? from[3] : 255;
            }
        }
    }
}

}  // namespace render::gles
