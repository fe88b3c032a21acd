// The credits scene: a tower, two credit models and nine text models, light-mapped and
// shadowed by a light that walks a stored path, with sparks streaming from the light, a
// burst of sparks and a flare of the light every fourth beat, and film noise over it all.
// Seen through the frame's camera with a projection of its own. What moves by itself
// is a function of the scene's local time: stepped from the origin, replayed after a jump.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "render/gl/gl.h"

#include "base/layer.h"
#include "base/random.h"
#include "layers/scene_steps.h"
#include "layers/shadow_region.h"
#include "layers/tower_beat.h"
#include "objects/bounding_sphere.h"
#include "objects/vector3.h"
#include "render/projection_matrix.h"

class Camera;
class LightParticles;
class NObject;
class NoiseOverlay;

class Tower : public Layer {
public:
    static constexpr int kTextCount = 9;
    static constexpr int kSparks = 300;
    static constexpr int kBurstSparks = 700;
    static constexpr double kRestRadius = 40;   // light radius until the first burst
    static constexpr double kFlareTime = 0.96;  // s the flare takes to shrink

    // Now: everything is loaded before the constructor returns. Spread: the light's path, the
    // sparks and the overlay now, the models one per prepareStep (or all at the first draw).
    enum class Loading { Now, Spread };
    // Needs a current GL context.
    explicit Tower(Loading loading = Loading::Now);
    ~Tower() override;

    void draw(const Frame& frame) override;

    // One piece of the loading left: a model, then the display lists, then a part of the
    // scene rehearsed through the frame's camera: drawn and cleared away (call it before
    // anything else is drawn in a frame). False once everything is ready.
    bool prepareStep(const Frame& frame = {});
    bool ready() const { return stage == kReady; }

    // The light radius d seconds after a burst (d < kFlareTime): 265 at the burst, about 25
    // at the end of the flare.
    static double flareRadius(double sinceBurst);
    // The light radius at local time t: at rest before the first burst, flaring after each,
    // then held where the flare ends.
    double lightRadiusAt(double t) const;

    // The local time of the scene's first frame, where the light starts its walk and the
    // beats their count (0 unless the show says otherwise).
    void setOrigin(double localTime);
    // The moving state as it is after `count` steps from the origin, replayed from the start
    // state when the scene was further on.
    void stepTo(int64_t count);
    int64_t stepsTaken() const { return stepsTaken_; }

    std::unique_ptr<NObject> tower;
    std::unique_ptr<NObject> codedBy;
    std::unique_ptr<NObject> author;
    std::array<std::unique_ptr<NObject>, kTextCount> texts;
    std::unique_ptr<Camera> lightPath;
    // The sparks, the burst, the flicker and the light's walk draw from this sequence only.
    Random random;
    std::unique_ptr<LightParticles> sparks;
    // The sparks one step before: a frame draws both, so they trail.
    std::unique_ptr<LightParticles> sparksBefore;
    std::unique_ptr<LightParticles> burstSparks;
    std::unique_ptr<NoiseOverlay> overlay;
    TowerBeat beat;
    ProjectionMatrix projection;
    // The light's walk, the sparks and the flicker advance 60 times a second of show time.
    SceneSteps steps;
    // Shadow counts matter only where the tower is redrawn (the glow): each volume is filled
    // only where it can fall on the tower. Spheres around every model, in the order of
    // forEachModel; empty when the models do not share one frame (then nothing is narrowed).
    ShadowRegion shadowRegion;
    std::vector<BoundingSphere> spheres;

    // The frame's model passes, under the scene's view and light as draw sets them up: every
    // model lit, light-mapped and casting its shadow; then the glow of the unshadowed tower.
    void drawModels();
    void drawGlow();

private:
    static constexpr uint32_t kRandomSeed = 1;
    void restart();
    void stepOnce();
    void stepLight();
    void applyFlare(double t);
    void setMaterial();
    void boundModels();
    void prepareLists();
    // The models loaded so far in this order, then the lists, the rehearsal's parts, ready.
    static constexpr int kModelCount = 3 + kTextCount;
    static constexpr int kListsStage = kModelCount;
    static constexpr int kRehearsalStage = kModelCount + 1;
    static constexpr int kRehearsalParts = 6;
    static constexpr int kReady = kRehearsalStage + kRehearsalParts;
    int stage = 0;
    void loadModel(int index);
    void rehearse(int part, const Frame& frame);
    void drawScene(const Frame& frame);
    template <typename Body>
    void inScene(const Frame& frame, Body body);
    // The model's shadow volume, filled where it can fall on the tower.
    void drawShadow(NObject& model, size_t index);
    void drawSparks(const Frame& frame);
    // Every model in the order the flare resizes them: tower, author, coded-by, texts.
    template <typename Action>
    void forEachModel(Action action);

    int64_t stepsTaken_ = 0;
    bool walkEnded_ = false;
    double lightRadius_ = kRestRadius;  // what the models' light maps were last given
};
