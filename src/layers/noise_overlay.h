// Film noise over the finished picture: a jittering noise texture laid over the frame, then
// a white pass that brightens it. The tower scene draws it last. The flicker draws from its
// owner's random sequence.
#pragma once

#include "render/gl/gl.h"

#include <vector>

#include "base/random.h"
#include "image/texture_cache.h"

class NoiseOverlay {
public:
    explicit NoiseOverlay(Random& random);

    void setLevels(float noise, float white);
    // One step of the flicker, then the overlay drawn.
    void draw();
    // The flicker's cycle alone: a new noise texture every hold + 1 steps, a new jitter of
    // the noise pattern on every step.
    void step();
    // The overlay as the last step left it.
    void paint();
    // Back to the flicker's state before its first step.
    void restart();

    // The pictures, shared with whoever else shows them.
    std::vector<TextureCache::Handle> pictures;
    // At least two, so a change of texture always finds another one (two copies of one
    // picture: the change is of the random draws' rhythm, not of the pattern).
    std::vector<GLuint> noiseTextures;
    GLuint white = 0;
    int hold = 5;  // draws after the first that keep one noise texture
    int counter = 0;
    int current = 0;
    float noiseLevel = 0.2f;
    float whiteLevel = 0.5f;
    float offsetX = 0.0f;  // texture-space jitter of the noise pattern
    float offsetY = 0.0f;

private:
    void pickNoiseTexture();

    Random* random_;
    GLuint checkedWhite = 0;  // the white texture whiteIsPlain was found for
    bool whiteIsPlain = false;
};
