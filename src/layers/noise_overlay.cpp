#include "layers/noise_overlay.h"

#include "base/gl_state.h"
#include "base/random.h"
#include "base/world.h"

namespace {

constexpr int kNoiseCopies = 2;
constexpr float kBehindEverything = -1.0f;  // eye depth of both passes

float randomFraction() {
    return static_cast<float>(nextRandom() % 100) / 100.0f;
}

}  // namespace

NoiseOverlay::NoiseOverlay() {
    for (int i = 0; i < kNoiseCopies; ++i) {
        pictures.push_back(
            TextureCache::shared().load("./vintra/noise7.jpg", TextureCache::Kind::Jpg));
        noiseTextures.push_back(*pictures.back());
    }
    pictures.push_back(
        TextureCache::shared().load("./vintra/flash/white.jpg", TextureCache::Kind::Jpg));
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
        next = nextRandom() % count;
    }
    current = next;
}

void NoiseOverlay::draw() {
    step();
    paint();
}

void NoiseOverlay::step() {
    if (counter == 0) {
        pickNoiseTexture();
    }
    offsetY = randomFraction();
    offsetX = randomFraction();
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

    glMatrixMode(GL_TEXTURE);
    glPushMatrix();
    glTranslatef(offsetX, offsetY, 0);
    glColor3f(noiseLevel, noiseLevel, noiseLevel);
    const GLuint noise = noiseTextures.empty() ? 0 : noiseTextures[current];
    world->drawFullWindowQuad(kBehindEverything, noise);
    glMatrixMode(GL_TEXTURE);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);

    // With a white texture and alpha 1 this scales the frame by 1 + whiteLevel.
    glColor3f(whiteLevel, whiteLevel, whiteLevel);
    glBlendFunc(GL_DST_COLOR, GL_SRC_ALPHA);
    world->drawFullWindowQuad(kBehindEverything, white);
}
