// A textured square in eye space that fades in, holds and fades out, may drift along the
// view axis and is blended with a configurable factor pair. Created by the tag list reader.
#pragma once

#include "render/gl/gl.h"

#include <string>

#include "base/layer.h"
#include "image/texture_cache.h"

class Tag : public Layer {
public:
    struct Color {
        float r, g, b, a;
    };

    explicit Tag(const char* imagePath);
    Tag(const Tag&) = delete;
    Tag& operator=(const Tag&) = delete;

    bool loadTexture(const char* path);
    void setFade(double fadeIn, double hold, double fadeOut);
    void setPosition(double x, double y, double z);
    void setZDrift(double unitsPerSecond);
    void setRotation(double degrees);
    void setPeak(double value);
    void setBlend(GLenum source, GLenum destination);
    double getDuration() const;

    // The vertex colour at local time t: colour-weighted blend pairs fade by brightness,
    // every other pair by alpha.
    Color colorAt(double t) const;
    void draw(const Frame& frame) override;
    // Lets go of the texture (a picture that failed to load stays a failure).
    bool unload() override;
    bool loadNext() override;

    // Rows naming one picture share its texture.
    TextureCache::Handle textureHandle;
    GLuint texture = 0;
    double x = 0, y = 0;
    double z = -2.0;
    double zDrift = -1.0;
    double rotation = 0;
    double fadeIn = 0, hold = 0, fadeOut = 0;
    double peak = 1.0;
    GLint blendSrc = GL_ONE;
    GLint blendDst = GL_ONE;
    std::string imagePath;
    std::string origin;  // "LIST:LINE IMAGE", for the schedule
};
