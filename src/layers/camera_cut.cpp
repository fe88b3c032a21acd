#include "layers/camera_cut.h"

#include <algorithm>

#include "camera/camera.h"

CameraCut::CameraCut() : ownCamera(std::make_unique<Camera>()) {}

bool CameraCut::loadPath(const char* path) {
    return ownCamera->loadPath(path);
}

double CameraCut::fractionAt(double localTime) const {
    return moveTime > 0.0 ? std::min(localTime / moveTime, 1.0) : 1.0;
}

void CameraCut::draw(const Frame& frame) {
    if (!ownCamera->steered) {
        ownCamera->placeAtFraction(static_cast<float>(fractionAt(frame.localTime)));
    }
}
