#include "layers/tower.h"

#include "render/gl/gl.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "base/data_file.h"
#include "base/frame_state.h"
#include "camera/camera.h"
#include "layers/model_lighting.h"
#include "layers/noise_overlay.h"
#include "objects/light_particles.h"
#include "objects/nobject.h"
#include "render/gl_state.h"
#include "render/world.h"

namespace {

constexpr double kModelScale = 0.1;
constexpr double kPreparedRadius = Tower::kRestRadius;
constexpr float kBurstSparkSize = 0.001f;
constexpr float kNoiseLevel = 0.25f;
constexpr float kWhiteLevel = 0.5f;
constexpr const char* kLightPathFile = data::kTowerLightPath.path;

// Load, scale to the scene, prepare the light map and the shadow volume, texture; the
// geometry stays as it is from then on.
std::unique_ptr<NObject> prepareModel(const char* path, const char* texture) {
    auto model = std::make_unique<NObject>();
    model->load3DS(path);
    model->scale(kModelScale);
    model->initLight();
    model->setLightRadius(kPreparedRadius);
    model->initShadow();
    model->setCullClosedMeshes(true);
    model->loadTexture(texture, NObject::kJpgImage);
    model->freeze();
    return model;
}

static_assert(data::kTowerTexts.count == Tower::kTextCount);

}  // namespace

Tower::Tower(Loading loading) {
    overlay = std::make_unique<NoiseOverlay>(random);
    lightPath = std::make_unique<Camera>();
    lightPath->loadPath(kLightPathFile);
    sparks = std::make_unique<LightParticles>(kSparks, random);
    burstSparks = std::make_unique<LightParticles>(kBurstSparks, random);
    burstSparks->setSize(kBurstSparkSize);
    burstSparks->setRespawn(false);
    overlay->setLevels(kNoiseLevel, kWhiteLevel);
    restart();
    sparksBefore = std::make_unique<LightParticles>(*sparks);
    if (loading == Loading::Now) {
        while (prepareStep()) {
        }
    }
}

// The moving state before the first step: everything drawn from the sequence's start.
void Tower::restart() {
    random.reseed(kRandomSeed);
    sparks->restart();
    burstSparks->restart();
    lightPath->restartWalk();
    walkEnded_ = false;
    stepLight();
    const Vector3 light = lightPath->getEye();
    sparks->placeAll(light);
    burstSparks->placeAll(light);
    burstSparks->age();
    overlay->restart();
    stepsTaken_ = 0;
}

void Tower::setOrigin(double localTime) {
    steps.setOrigin(localTime);
    beat.setOrigin(localTime);
    restart();
}

void Tower::stepTo(int64_t count) {
    if (count < stepsTaken_) {
        restart();
    }
    while (stepsTaken_ < count) {
        stepOnce();
    }
}

// One step of everything that moves, in a fixed order, so the sequence's draws always fall
// to the same parts.
void Tower::stepOnce() {
    ++stepsTaken_;
    stepLight();
    const Vector3 light = lightPath->getEye();
    sparks->setEmitter(light);
    burstSparks->setEmitter(light);
    const double now = steps.timeOf(stepsTaken_);
    if (stepsTaken_ > 1 && beat.burstsAt(now) > beat.burstsAt(steps.timeOf(stepsTaken_ - 1))) {
        burstSparks->reset();
    }
    sparks->stepLiving();
    burstSparks->stepLiving();
    overlay->step();
}

// Index 0 the tower, 1 … kTextCount the texts, then coded-by and the author.
void Tower::loadModel(int index) {
    if (index == 0) {
        tower = prepareModel(data::kTower.path, data::kTowerTexture.path);
    } else if (index <= kTextCount) {
        const std::string path = data::kTowerTexts.member(index);
        texts[index - 1] = prepareModel(path.c_str(), data::kTowerTextTexture.path);
    } else if (index == kTextCount + 1) {
        codedBy = prepareModel(data::kCodedBy.path, data::kCodedByTexture.path);
    } else {
        author = prepareModel(data::kAuthor.path, data::kAuthorTexture.path);
    }
}

bool Tower::prepareStep() {
    if (stage < kModelCount) {
        loadModel(stage);
    } else if (stage == kListsStage) {
        boundModels();
        prepareLists();
    } else if (stage < kReady) {
        rehearse(stage - kRehearsalStage);
    } else {
        return false;
    }
    ++stage;
    return true;
}

Tower::~Tower() = default;

double Tower::flareRadius(double sinceBurst) {
    return 265.0 - 240.0 * std::sin(sinceBurst * (1.0 / kFlareTime) * 1.57);
}

double Tower::lightRadiusAt(double t) const {
    const double burst = beat.burstAt(t);
    if (burst == TowerBeat::kNoBurst) {
        return kRestRadius;
    }
    return flareRadius(std::min(t - burst, kFlareTime));
}

template <typename Action>
void Tower::forEachModel(Action action) {
    action(*tower);
    action(*author);
    action(*codedBy);
    for (auto& text : texts) {
        action(*text);
    }
}

// One walk step of the light; once the path has ended (or never loaded) the light stays
// where it stopped.
void Tower::stepLight() {
    if (!walkEnded_ && !lightPath->advance()) {
        walkEnded_ = true;
    }
}

void Tower::applyFlare(double t) {
    const double radius = lightRadiusAt(t);
    if (radius != lightRadius_) {
        lightRadius_ = radius;
        forEachModel([radius](NObject& model) { model.setLightRadius(radius); });
    }
}

void Tower::setMaterial() {
    const GLfloat ambient[] = {0.4f, 0.4f, 0.4f, 1};
    const GLfloat diffuse[] = {0.8f, 0.8f, 0.8f, 1};
    const GLfloat specular[] = {1, 1, 1, 1};
    applyMaterial(ambient, diffuse, specular, 30.0f);
}

// The passes drawModels and drawGlow make, compiled now rather than in the scene's first frame.
void Tower::prepareLists() {
    tower->prepare(ShadeType::Flat);
    tower->prepare(ShadeType::LightMap);
    forEachModel([this](NObject& model) {
        if (&model != tower.get()) {
            model.prepare(ShadeType::Texture);
        }
    });
}

void Tower::boundModels() {
    Vector3 lowest, highest;
    bool sharedFrame = tower->bounds(lowest, highest);
    if (sharedFrame) {
        shadowRegion.setReceiver(lowest, highest, tower->getOrientation());
    }
    forEachModel([&](NObject& model) {
        const bool bounded = model.bounds(lowest, highest);
        sharedFrame = sharedFrame && std::memcmp(model.getOrientation(), tower->getOrientation(),
                                                 16 * sizeof(float)) == 0;
        // A model without faces casts nothing: a sphere of negative radius.
        spheres.push_back(bounded ? BoundingSphere::aroundBox(lowest, highest)
                                  : BoundingSphere{{0, 0, 0}, -1});
    });
    if (!sharedFrame) {
        spheres.clear();
    }
}

void Tower::drawShadow(NObject& model, size_t index) {
    const Vector3* light = tower->getLightVector();
    GLint rect[4];
    ShadowRegion::Reach reach = ShadowRegion::Reach::Anywhere;
    if (spheres.empty() || light == nullptr) {
        reach = ShadowRegion::Reach::Anywhere;
    } else if (spheres[index].radius < 0) {
        return;
    } else if (index == 0) {
        reach = shadowRegion.receiverRegion(rect);
    } else {
        reach = shadowRegion.casterRegion(spheres[index], *light, rect);
    }
    if (reach == ShadowRegion::Reach::None) {
        return;
    }
    if (reach == ShadowRegion::Reach::Rectangle) {
        glEnable(GL_SCISSOR_TEST);
        glScissor(rect[0], rect[1], rect[2], rect[3]);
    }
    model.draw(ShadeType::Shadow);
    glDisable(GL_SCISSOR_TEST);
}

void Tower::drawModels() {
    shadowRegion.beginFrame();
    auto drawTextured = [&](NObject& model, size_t index) {
        model.drawTexturedLightMapped();
        drawShadow(model, index);
    };
    // Indices follow forEachModel: tower, author, coded-by, then the texts.
    tower->drawFlatLightMapped();
    drawShadow(*tower, 0);
    drawTextured(*codedBy, 2);
    drawTextured(*author, 1);
    for (size_t i = 0; i < texts.size(); ++i) {
        drawTextured(*texts[i], 3 + i);
    }
}

// The tower once more, added where no shadow volume counted, and the light map multiplied in
// there: the lit parts glow. Two passes: the sum saturates before the light map darkens it.
void Tower::drawGlow() {
    glEnable(GL_STENCIL_TEST);
    glStencilFunc(GL_EQUAL, 0, ~0u);
    glStencilOp(GL_KEEP, GL_KEEP, GL_KEEP);
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE);
    tower->draw(ShadeType::Flat);
    tower->draw(ShadeType::LightMap);
    glDisable(GL_STENCIL_TEST);
}

// The streaming sparks as they were a step ago and as they are, the burst twice.
void Tower::drawSparks() {
    for (LightParticles* system : {sparksBefore.get(), sparks.get(), burstSparks.get()}) {
        system->setViewpoint(camera);
    }
    sparksBefore->render();
    sparks->render();
    burstSparks->render();
    burstSparks->render();
}

void Tower::draw(double localTime) {
    // Reached before the spread loading finished (a start past the scene's beginning): the
    // rest now, without the rehearsal, which would clear this frame.
    {
        // Loading binds each new texture; the caller's binding is theirs again after.
        AttributeScope binding(GL_TEXTURE_BIT);
        while (stage < kRehearsalStage) {
            prepareStep();
        }
    }
    stage = kReady;
    const int64_t due = steps.dueAt(localTime);
    stepTo(due - 1);
    *sparksBefore = *sparks;
    stepTo(due);
    drawScene(localTime);
}

// One part of the scene drawn once and cleared away, a part per frame before the scene:
// the renderer builds the code for each pass's state then, not in the scene's first frame.
// Nothing steps, counts or flares, and the show's light stays where the earlier scenes
// expect it.
void Tower::rehearse(int part) {
    inScene(false, [&] {
        setMaterial();
        shadowRegion.beginFrame();
        switch (part) {
            case 0:
                tower->drawFlatLightMapped();
                break;
            case 1:
                drawShadow(*tower, 0);
                break;
            case 2:
                codedBy->drawTexturedLightMapped();
                drawShadow(*codedBy, 2);
                break;
            case 3:
                drawGlow();
                break;
            case 4:
                drawSparks();
                break;
            default:
                overlay->paint();
                break;
        }
    });
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
}

void Tower::drawScene(double localTime) {
    inScene(true, [&] {
        const Vector3 light = lightPath->getEye();
        applyFlare(localTime);
        if (world != nullptr) {
            world->setLightPosition(light.x, light.y, light.z);
        }
        setMaterial();
        drawModels();
        drawGlow();
        drawSparks();
        overlay->paint();
    });
}

// The scene's projection, view and lights around `body`; a live frame moves the camera
// along its flight. The caller's colour, projection and model-view are theirs again after.
template <typename Body>
void Tower::inScene(bool live, Body body) {
    // Mesa's glPopAttrib leaves a colour set inside the scope current: the caller's is set
    // back by hand.
    GLfloat colour[4];
    glGetFloatv(GL_CURRENT_COLOR, colour);
    AttributeScope callers(GL_TRANSFORM_BIT);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glColor3f(1, 1, 1);
    const float aspect =
        static_cast<float>(screenWidth) / static_cast<float>(screenHeight > 0 ? screenHeight : 1);
    projection.setPerspective(45.0f, aspect, 0.001f, ProjectionMatrix::kInfiniteFar);
    glMatrixMode(GL_PROJECTION);
    glLoadMatrixf(projection.m);

    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    {
        SavedState saved;
        glEnable(GL_LIGHTING);
        glEnable(GL_LIGHT0);
        // The models cull the back faces of their closed meshes (which halves what the lit
        // passes fill without changing the picture) and draw both faces of the others.
        glDisable(GL_CULL_FACE);
        if (camera != nullptr && live) {
            camera->apply();
        } else if (camera != nullptr) {
            camera->lookAt();
        }
        body();
    }
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glColor4f(colour[0], colour[1], colour[2], colour[3]);
}
