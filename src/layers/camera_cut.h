// One camera cut: while its interval plays the show looks through its camera, which flies
// its stored path over the first moveTime seconds and then holds the path's end.
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

    // Places the cut's camera where its flight is at the frame's local time (unless an
    // author has steered it by hand); the show then looks through it. A move time of 0
    // places the camera at the end of its path (fraction 1).
    void draw(const Frame& frame) override;
    // How far along its path the flight is: 0 … 1.
    double fractionAt(double localTime) const;

    Camera* getCamera() const { return ownCamera.get(); }

    std::unique_ptr<Camera> ownCamera;
    double moveTime = 0.0;
    std::string origin;  // "LIST:LINE POSITION-FILE", for the schedule
};
