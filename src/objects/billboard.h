// A square sprite at a point, turned to face an eye: first about the vertical axis toward
// the eye's horizontal direction, then tilted up or down toward the eye itself.
#pragma once

#include "objects/vector3.h"

struct Billboard {
    // Corners in the order (−h, −h), (h, −h), (h, h), (−h, h) of the sprite's own plane.
    Vector3 corners[4];

    // Always finite: an eye straight above or below the point (no horizontal direction)
    // keeps the sprite unturned about the vertical and only tilts it.
    static Billboard facing(const Vector3& eye, const Vector3& position, float half);
};
