#include "objects/billboard.h"

#include <algorithm>
#include <cmath>

namespace {

// The sprite's degrees are worked out with 3.14 for pi; GL turns them back with the true pi.
constexpr double kDesignPi = 3.14;
constexpr double kPi = 3.14159265358979323846;

// acos of a cosine that rounding may have pushed just past ±1, in the sprite's degrees,
// returned as the radians GL would rotate by.
double turnAngle(double cosine) {
    const double degrees = std::acos(std::clamp(cosine, -1.0, 1.0)) * 180.0 / kDesignPi;
    return degrees * kPi / 180.0;
}

}  // namespace

Billboard Billboard::facing(const Vector3& eye, const Vector3& position, float half) {
    const Vector3 toEye = eye - position;
    Vector3 flat(toEye.x, 0, toEye.z);
    const double flatLength = flat.length();
    // The turn about the vertical, toward the eye's horizontal direction: about +y when the
    // eye lies toward +x, about −y when toward −x (the axis is (0, 0, 1) × flat); an eye
    // straight behind turns it half round about +y.
    double yaw = 0;
    if (flatLength > 0) {
        flat = flat / flatLength;
        const double side = flat.x < 0 ? -1.0 : 1.0;
        yaw = side * turnAngle(flat.z);
    } else {
        flat.set(0, 0, 1);
    }
    const double eyeDistance = toEye.length();
    const double cosineToFlat = eyeDistance > 0 ? flat.dot(toEye / eyeDistance) : 1.0;
    // The tilt about x: toward an eye above (about −x) or below (about +x).
    const double tilt = (toEye.y >= 0 ? -1.0 : 1.0) * turnAngle(cosineToFlat);

    // A sprite corner (cx, cy, 0), tilted about x and then turned about y, lands on
    // position + cx · across + cy · upward.
    const double cosYaw = std::cos(yaw), sinYaw = std::sin(yaw);
    const double cosTilt = std::cos(tilt), sinTilt = std::sin(tilt);
    const Vector3 across(cosYaw, 0, -sinYaw);
    const Vector3 upward(sinTilt * sinYaw, cosTilt, sinTilt * cosYaw);
    static constexpr float kSigns[4][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
    Billboard b;
    for (int i = 0; i < 4; ++i) {
        b.corners[i] = position + across * (kSigns[i][0] * half) + upward * (kSigns[i][1] * half);
    }
    return b;
}
