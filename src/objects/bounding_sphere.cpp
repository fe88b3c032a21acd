#include "objects/bounding_sphere.h"

BoundingSphere BoundingSphere::aroundBox(const Vector3& lowest, const Vector3& highest) {
    return {(lowest + highest) * 0.5, (highest - lowest).length() * 0.5};
}
