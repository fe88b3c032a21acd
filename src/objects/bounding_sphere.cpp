#include "objects/bounding_sphere.h"

#include <algorithm>
#include <cmath>

BoundingSphere BoundingSphere::aroundBox(const Vector3& lowest, const Vector3& highest) {
    return {(lowest + highest) * 0.5, (highest - lowest).length() * 0.5};
}

bool BoundingSphere::shadowMayReach(const BoundingSphere& receiver, const Vector3& light) const {
    const Vector3 toCaster = centre - light;
    const Vector3 toReceiver = receiver.centre - light;
    const double casterDistance = toCaster.length();
    const double receiverDistance = toReceiver.length();
    // A light inside either sphere can throw the shadow anywhere.
    if (!(casterDistance > radius) || !(receiverDistance > receiver.radius)) {
        return true;
    }
    if (receiverDistance + receiver.radius < casterDistance - radius) {
        return false;  // the receiver lies wholly between the light and the caster
    }
    const double cosine =
        std::clamp(toCaster.dot(toReceiver) / (casterDistance * receiverDistance), -1.0, 1.0);
    const double apart = std::acos(cosine);
    const double casterSpread = std::asin(radius / casterDistance);
    const double receiverSpread = std::asin(receiver.radius / receiverDistance);
    return apart <= casterSpread + receiverSpread;
}
