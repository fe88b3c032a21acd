// The record player of the opening: a still body and a platter (under-disc and labelled
// disc) that turns 0.55 times a second, lit and seen through the frame's camera.
#pragma once

#include <memory>

#include "base/layer.h"
#include "objects/nobject.h"

class Camera;

class TurntableLayer : public Layer {
public:
    static constexpr double kTurnsPerSecond = 0.55;

    // Loads the three models and frames them with the show's camera, if given.
    explicit TurntableLayer(Camera* showCamera);

    void draw(const Frame& frame) override;

    // The platter's angle in degrees at a local time.
    static double platterAngle(double localTime) { return localTime * kTurnsPerSecond * 360.0; }

    std::unique_ptr<NObject> body;
    std::unique_ptr<NObject> underDisc;
    std::unique_ptr<NObject> disc;
};
