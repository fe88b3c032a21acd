// Glowing camera-facing sparks that spray from one emitter point and fade out over their
// life, drawn additively with the light picture. Life counts steps of the motion, not
// seconds: the caller decides how often a step runs. Every random value comes from the
// caller's sequence, so a caller that restarts its sequence gets the same sparks again.
#pragma once

#include "render/gl/gl.h"

#include <cstdint>
#include <vector>

#include "base/random.h"
#include "image/texture_cache.h"
#include "objects/particle_system.h"
#include "objects/viewpoint.h"

class LightParticles : public ParticleSystem {
public:
    static constexpr int32_t kLifeSpan = 100;  // steps a reborn spark lives

    // Needs a current GL context: loads "./vintra/light.jpg". Draws as restart does.
    LightParticles(size_t count, Random& random);

    void setSize(float value) { size = value; }
    void setRespawn(bool on) { respawn = on; }
    void setEmitter(const Vector3& position) { emitter = position; }
    void placeAll(const Vector3& position);

    // Every particle thrown out from the emitter at once, with random lives.
    void reset();
    // reset, then a random size for every particle: the state of a new system.
    void restart();
    // One step of life: the dead are reborn at the emitter (with respawn on); all age.
    void age() override;
    // age, then the motion step for the living only: a dead spark's motion is never seen,
    // and a rebirth or a reset sets it anew. What advance does, in less time.
    void stepLiving();
    // Faces the sparks to `view` and draws them through it; without a view nothing is drawn.
    void render(const Viewpoint* view) override;

    // How opaque a living particle is drawn: its remaining share of life.
    float opacity(size_t i) const;
    bool alive(size_t i) const { return life[i] > 0; }

    std::vector<int32_t> life;
    std::vector<int32_t> maxLife;
    int32_t lifeSpan = kLifeSpan;
    Vector3 emitter{0, 0, 0};
    float size = 0.01f;
    bool respawn = true;
    std::vector<float> sizeVariation;
    float variationScale = 0.1f;
    TextureCache::Handle lightPicture;  // shared by every particle system
    GLuint lightTexture = 0;

private:
    Random* random_;
};
