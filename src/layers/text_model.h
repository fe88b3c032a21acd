// A 3D title word that writes itself face by face, holds, and unwrites, seen through a
// camera of its own so the show's camera cuts leave it where it is.
#pragma once

#include <memory>

#include "base/layer.h"
#include "camera/camera.h"
#include "objects/nobject.h"

class TextModel : public Layer {
public:
    explicit TextModel(const char* path);

    // Must be called before the first draw.
    void initWriter(double writeSeconds, double holdSeconds);
    void setOffset(double ox, double oy, double oz);

    // Seen through its own camera; the frame's camera only lends the authors' tuning offsets.
    void draw(const Frame& frame) override;
    // Written, held and unwritten.
    double showsFor() const override { return writeTime + holdTime + writeTime; }

    // The reveal progress at local time t: t while writing and holding, then running back
    // from writeTime to 0 (and below, which draws nothing).
    static double writerTime(double t, double writeTime, double holdTime);

    bool isReady() const { return ready; }

    std::unique_ptr<NObject> model;
    std::unique_ptr<Camera> ownCamera;
    double writeTime = 0.0;
    double holdTime = 0.0;
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;

private:
    bool ready = false;
};
