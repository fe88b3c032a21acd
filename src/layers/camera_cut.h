// One camera cut: while its interval plays it is the show's current camera, flying its
// stored path over the first moveTime seconds and then holding the path's end.
#pragma once

#include <memory>
#include <string>

#include "base/layer.h"
#include "camera/camera.h"

class CameraCut : public Layer {
public:
    CameraCut();

    void setMoveTime(double seconds) { moveTime = seconds; }
    bool loadPath(const char* path);

    // Re-points the global camera at this cut's camera and places it where its flight is at
    // localTime (unless an author has steered it by hand). A move time of 0 places the
    // camera at the end of its path (fraction 1).
    void draw(double localTime) override;
    // How far along its path the flight is: 0 … 1.
    double fractionAt(double localTime) const;

    Camera* getCamera() const { return ownCamera.get(); }

    std::unique_ptr<Camera> ownCamera;
    double moveTime = 0.0;
    std::string origin;  // "LIST:LINE POSITION-FILE", for the schedule
};
