#include "layers/camera_cut.h"

#include "camera/camera.h"

CameraCut::CameraCut() : ownCamera(std::make_unique<Camera>()) {}

bool CameraCut::loadPath(const char* path) {
    return ownCamera->loadPath(path);
}

void CameraCut::draw(double localTime) {
    ::camera = ownCamera.get();
    if (localTime <= moveTime) {
        double fraction = moveTime > 0.0 ? localTime / moveTime : 1.0;
        ownCamera->placeAtFraction(static_cast<float>(fraction));
    }
}
