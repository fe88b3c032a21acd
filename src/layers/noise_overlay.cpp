#include "layers/noise_overlay.h"

#include <vector>

#include "base/data_file.h"
#include "base/random.h"
#include "render/gl_state.h"
#include "render/world.h"

namespace {

constexpr int kNoiseCopies = 2;
constexpr float kBehindEverything = -1.0f;  // eye depth of both passes

// Every texel of the texture's picture opaque white.
bool plainWhite(GLuint texture) {
    if (texture == 0) {
        return false;
    }
    SavedState saved(GL_TEXTURE_BIT);
    glBindTexture(GL_TEXTURE_2D, texture);
    GLint width = 0, height = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
    // A grey picture is kept in one channel, which GL hands back as red alone.
    GLint greenBits = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_GREEN_SIZE, &greenBits);
    std::vector<GLubyte> texels(static_cast<size_t>(width) * static_cast<size_t>(height) * 4);
    if (texels.empty()) {
        return false;
    }
    {
        ClientAttributeScope packing(GL_CLIENT_PIXEL_STORE_BIT);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
    }
    for (size_t i = 0; i < texels.size(); ++i) {
        const bool green = i % 4 == 1, blue = i % 4 == 2;
        if (texels[i] != 255 && !(greenBits == 0 && (green || blue))) {
            return false;
        }
    }
    return true;
}

float randomFraction(Random& random) {
    return static_cast<float>(random.next() % 100) / 100.0f;
}

}  // namespace

NoiseOverlay::NoiseOverlay(Random& random) : random_(&random) {
    for (int i = 0; i < kNoiseCopies; ++i) {
        pictures.push_back(
            TextureCache::shared().load(data::kTowerNoise.path, TextureCache::Kind::Jpg));
        noiseTextures.push_back(*pictures.back());
    }
    pictures.push_back(
        TextureCache::shared().load(data::kFlashWhite.path, TextureCache::Kind::Jpg));
    white = *pictures.back();
}

void NoiseOverlay::setLevels(float noise, float whiteValue) {
    noiseLevel = noise;
    whiteLevel = whiteValue;
}

void NoiseOverlay::pickNoiseTexture() {
    const int count = static_cast<int>(noiseTextures.size());
    if (count < 2) {
        current = 0;
        return;
    }
    int next = current;
    while (next == current) {
        next = random_->next() % count;
    }
    current = next;
}

void NoiseOverlay::restart() {
    counter = 0;
    current = 0;
    offsetX = 0.0f;
    offsetY = 0.0f;
}

void NoiseOverlay::draw() {
    step();
    paint();
}

void NoiseOverlay::step() {
    if (counter == 0) {
        pickNoiseTexture();
    }
    offsetY = randomFraction(*random_);
    offsetX = randomFraction(*random_);
    if (++counter > hold) {
        counter = 0;
    }
}

void NoiseOverlay::paint() {
    SavedState saved;
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    glDisable(GL_CULL_FACE);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_COLOR, GL_ONE_MINUS_SRC_COLOR);

    {
        MatrixScope jitter(GL_TEXTURE);
        glTranslatef(offsetX, offsetY, 0);
        glColor3f(noiseLevel, noiseLevel, noiseLevel);
        const GLuint noise = noiseTextures.empty() ? 0 : noiseTextures[current];
        World::drawFullWindowQuad(kBehindEverything, noise);
    }
    glMatrixMode(GL_MODELVIEW);

    // With a white texture and alpha 1 this scales the frame by 1 + whiteLevel. The show's
    // texture environments multiply the texel in, so a plain white picture is the colour
    // alone, which the renderer fills without sampling.
    if (white != checkedWhite) {
        checkedWhite = white;
        whiteIsPlain = plainWhite(white);
    }
    glColor3f(whiteLevel, whiteLevel, whiteLevel);
    glBlendFunc(GL_DST_COLOR, GL_SRC_ALPHA);
    World::drawFullWindowQuad(kBehindEverything, whiteIsPlain ? 0 : white);
}
