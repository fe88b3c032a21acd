// Where a scene is seen from, for drawing that must face the viewer (camera-facing sprites):
// the eye position, and the look-at transform alone (no flight placement, no shake).
#pragma once

#include "objects/vector3.h"

class Viewpoint {
public:
    virtual ~Viewpoint() = default;
    virtual Vector3 getEye() const = 0;
    // Multiplies the look-at transform onto the current matrix.
    virtual void lookAt() const = 0;
};
