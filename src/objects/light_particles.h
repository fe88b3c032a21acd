// Glowing camera-facing sparks that spray from one emitter point and fade out over their
// life, drawn additively with the light picture. Life counts steps of the motion, not
// seconds: the caller decides how often a step runs.
#pragma once

#include "platform/gl/gl.h"

#include <cstdint>
#include <vector>

#include "image/texture_cache.h"
#include "objects/particle_system.h"
#include "objects/viewpoint.h"

class LightParticles : public ParticleSystem {
public:
    static constexpr int32_t kLifeSpan = 100;  // steps a reborn spark lives

    // Needs a current GL context: loads "./vintra/light.jpg".
    explicit LightParticles(size_t count);

    void setSize(float value) { size = value; }
    void setRespawn(bool on) { respawn = on; }
    void setEmitter(const Vector3& position) { emitter = position; }
    // The view the sparks face and are drawn through; without one nothing is drawn.
    void setViewpoint(const Viewpoint* view) { viewpoint = view; }
    void placeAll(const Vector3& position);

    // Every particle thrown out from the emitter at once, with random lives.
    void reset();
    // One step of life: the dead are reborn at the emitter (with respawn on); all age.
    void age() override;
    void render() override;

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
    const Viewpoint* viewpoint = nullptr;
};
