#include "layers/text_model.h"

#include "camera/camera.h"
#include "layers/model_lighting.h"
#include "platform/ui.h"
#include "render/gl_state.h"

TextModel::TextModel(const char* path)
    : model(std::make_unique<NObject>()), ownCamera(std::make_unique<Camera>()) {
    model->load3DS(path);
}

void TextModel::initWriter(double writeSeconds, double holdSeconds) {
    writeTime = writeSeconds;
    holdTime = holdSeconds;
    model->setRevealTotal(writeTime);
    ready = true;
}

void TextModel::setOffset(double ox, double oy, double oz) {
    x = ox;
    y = oy;
    z = oz;
}

double TextModel::writerTime(double t, double writeTime, double holdTime) {
    const double unwriteStart = writeTime + holdTime;
    if (unwriteStart > t) {
        return t;
    }
    return writeTime - (t - unwriteStart);
}

void TextModel::draw(const Frame& frame) {
    if (!ready) {
        platform::ui().messageBox("Init writer first", "Init writer first", platform::Buttons::Ok,
                                  platform::Icon::Exclamation);
        return;
    }
    SavedState saved;
    glLoadIdentity();
    ownCamera->setView(141.03, -1.96, 484.46, 138.33, -1.13, 473.06, 0.01, 0.98, 0.2);
    ownCamera->lookAt();
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_CULL_FACE);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);

    // The authors nudge the words live with the show camera's tuning keys.
    const double tuneX = frame.camera ? frame.camera->tuneX : 0.0;
    const double tuneY = frame.camera ? frame.camera->tuneY : 0.0;
    glTranslated(x + tuneX, y, z + tuneY);
    model->setRevealProgress(writerTime(frame.localTime, writeTime, holdTime));

    kTextModelLighting.apply();
    model->draw(ShadeType::Flat);
}
