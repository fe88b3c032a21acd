#include "layers/turntable_layer.h"

#include "base/data_file.h"
#include "camera/camera.h"
#include "layers/model_lighting.h"

namespace {

constexpr double kModelScale = 0.01;

std::unique_ptr<NObject> loadModel(const char* path) {
    auto model = std::make_unique<NObject>();
    model->load3DS(path);
    return model;
}

}  // namespace

TurntableLayer::TurntableLayer(Camera* showCamera) {
    body = loadModel(data::kTurntableBody.path);
    body->scale(kModelScale);
    underDisc = loadModel(data::kTurntableUnderDisc.path);
    underDisc->scale(kModelScale);
    disc = loadModel(data::kTurntableDisc.path);
    disc->loadTexture(data::kTurntableLabel.path, NObject::kJpgImage);
    disc->scale(kModelScale);
    // Building the turntable frames the first view of the show.
    if (showCamera) {
        showCamera->setView(7.72, -17.64, 19.03, 4.71, -10.63, 10.21, -0.35, 0.57, 0.74);
    }
}

void TurntableLayer::draw(const Frame& frame) {
    const double localTime = frame.localTime;
    LitSceneScope scene(kSceneModelLighting, frame.camera);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_CULL_FACE);

    body->draw(ShadeType::Smooth);
    glRotated(platterAngle(localTime), 0, 0, 1);
    glTranslated(0.06, 0.35, 0);
    underDisc->draw(ShadeType::Flat);
    disc->draw(ShadeType::Texture);
}
