#include "layers/tag.h"

#include "base/log.h"
#include "layers/fade_envelope.h"
#include "layers/unit_quad.h"

Tag::Tag(const char* imagePath) {
    loadTexture(imagePath);
}

bool Tag::loadTexture(const char* path) {
    if (!path) {
        logWindow->print("Phlicks: No filename");
        return false;
    }
    imagePath = path;
    textureHandle = TextureCache::shared().load(path, TextureCache::Kind::Jpg);
    if (*textureHandle != 0) {
        texture = *textureHandle;
    }
    return true;
}

void Tag::setFade(double in, double plateau, double out) {
    fadeIn = in;
    hold = plateau;
    fadeOut = out;
}

void Tag::setPosition(double px, double py, double pz) {
    x = px;
    y = py;
    z = pz;
}

void Tag::setZDrift(double unitsPerSecond) {
    zDrift = unitsPerSecond;
}

void Tag::setRotation(double degrees) {
    rotation = degrees;
}

void Tag::setPeak(double value) {
    peak = value;
}

void Tag::setBlend(GLenum source, GLenum destination) {
    blendSrc = static_cast<GLint>(source);
    blendDst = static_cast<GLint>(destination);
}

double Tag::getDuration() const {
    return fadeIn + hold + fadeOut;
}

Tag::Color Tag::colorAt(double t) const {
    float a = static_cast<float>(fadeLevel(t, fadeIn, hold, fadeOut));
    float p = static_cast<float>(a * peak);
    bool byBrightness =
        (blendSrc == GL_SRC_COLOR && (blendDst == GL_ONE_MINUS_SRC_COLOR || blendDst == GL_ONE)) ||
        (blendSrc == GL_ONE_MINUS_SRC_COLOR && blendDst == GL_SRC_COLOR);
    if (byBrightness) {
        return {p, p, p, a};
    }
    return {1, 1, 1, p};
}

bool Tag::unload() {
    if (!textureHandle || *textureHandle == 0) {
        return false;
    }
    textureHandle.reset();
    texture = 0;
    return true;
}

bool Tag::loadNext() {
    if (textureHandle || imagePath.empty()) {
        return false;
    }
    std::string path = imagePath;
    return loadTexture(path.c_str());
}

void Tag::draw(const Frame& frame) {
    const double t = frame.localTime;
    loadNext();
    SpriteScope sprite(blendSrc, blendDst);
    glTranslated(x, y, z + zDrift * t);
    glRotated(rotation, 0, 0, 1);

    Color c = colorAt(t);
    glColor4f(c.r, c.g, c.b, c.a);
    glBindTexture(GL_TEXTURE_2D, texture);
    drawUnitQuad(QuadMapping::Mirrored);
}
