#include "layers/spinne_layer.h"

#include <algorithm>
#include <cmath>

#include "base/data_file.h"
#include "layers/model_lighting.h"

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

void SpinneLayer::draw(const Frame& frame) {
    if (followMusic && scope != nullptr) {
        // A music object without a capture ring leaves the snapshot alone: count it as silence.
        std::fill(std::begin(scopeValues), std::end(scopeValues), 500);
        scope->readScope(frame.showTime, scopeIndices, scopeValues);
        level = levelOf(scopeValues);
    }
    LitSceneScope scene(kSceneModelLighting, frame.camera);
    glDisable(GL_LIGHT1);
    glDisable(GL_LIGHT2);
    glDisable(GL_CULL_FACE);
    glEnable(GL_DEPTH_TEST);

    lastAmount = static_cast<float>(blendAmount(frame.localTime, frequency, level));
    morph->draw(lastAmount);
    level *= decay;
}
