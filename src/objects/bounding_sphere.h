// A sphere around a model, and whether the shadow a model casts from a point light can reach
// another model at all: the shadow lies in the cone from the light around the caster's
// sphere, no nearer to the light than the caster.
#pragma once

#include "objects/vector3.h"

struct BoundingSphere {
    Vector3 centre{0, 0, 0};
    double radius = 0;

    // The sphere through the corners of a box.
    static BoundingSphere aroundBox(const Vector3& lowest, const Vector3& highest);

    // False only when no point of `receiver` can lie in this caster's shadow from `light`.
    bool shadowMayReach(const BoundingSphere& receiver, const Vector3& light) const;
};
