#include "layers/spinne_layer.h"

#include <algorithm>
#include <cmath>

#include "base/data_file.h"
#include "layers/model_lighting.h"
#include "layers/scene_steps.h"

SpinneLayer::SpinneLayer() : morph(std::make_unique<Morph>()) {
    morph->setStartFile(data::kMorphStart.path);
    morph->setEndFile(data::kMorphEnd.path);
    morph->setTexture(data::kMorphTexture.path);
    morph->initMoprh();
}

double SpinneLayer::levelOf(const int values[256]) {
    double sum = 0.0;
    for (int i = 0; i < 256; ++i) {
        sum += std::fabs(values[i] / 1000.0 - 0.5);
    }
    return sum / 50.0;
}

double SpinneLayer::blendAmount(double t, double frequency, double level) {
    return (std::sin(t * frequency) + 1.0) * 0.25 * level + 0.1;
}

void SpinneLayer::setLevel(double value, double time) {
    followMusic = false;
    level = value;
    levelTime = time;
}

double SpinneLayer::levelAt(double time) const {
    if (followMusic) {
        if (scope == nullptr) {
            return 0.0;
        }
        // A music object without a capture ring leaves the snapshot alone: count it as silence.
        int indices[ScopeSource::kScopePoints] = {};
        int values[ScopeSource::kScopePoints];
        std::fill(std::begin(values), std::end(values), 500);
        scope->readScope(time, indices, values);
        return levelOf(values);
    }
    // Whole steps on the 60-a-second grid, as SceneSteps counts them: the frames of a run at
    // 60 (or 30, 20 …) frames a second land on the steps, so each gets decay^frames exactly.
    const double steps =
        std::max(0.0, std::floor((time - levelTime) * SceneSteps::kStepsPerSecond + 0.5));
    return level * std::pow(decay, steps);
}

void SpinneLayer::draw(const Frame& frame) {
    const double pulse = levelAt(frame.showTime);
    LitSceneScope scene(kSceneModelLighting, frame.camera);
    glDisable(GL_LIGHT1);
    glDisable(GL_LIGHT2);
    glDisable(GL_CULL_FACE);
    glEnable(GL_DEPTH_TEST);

    lastAmount = static_cast<float>(blendAmount(frame.localTime, frequency, pulse));
    morph->draw(lastAmount);
}
