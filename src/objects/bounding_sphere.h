// A sphere around a model: what its shadow from a point light can reach lies in the cone from
// the light around the sphere.
#pragma once

#include "objects/vector3.h"

struct BoundingSphere {
    Vector3 centre{0, 0, 0};
    double radius = 0;

    // The sphere through the corners of a box.
    static BoundingSphere aroundBox(const Vector3& lowest, const Vector3& highest);
};
