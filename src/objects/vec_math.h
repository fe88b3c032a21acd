// Small float vector helpers shared by the 3DS mesh passes.
#pragma once

#include <cmath>

#include "objects/model_types.h"

namespace vec_math {

inline Vec3f add(const Vec3f& a, const Vec3f& b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}

inline Vec3f cross(const Vec3f& a, const Vec3f& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

// Unit length when the length is not 0; a zero vector stays as it is.
inline Vec3f normalize(const Vec3f& v) {
    const float length = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
    if (length == 0.0f) {
        return v;
    }
    return {v.x / length, v.y / length, v.z / length};
}

// Unit normal of the triangle (p0, p1, p2), counter-clockwise front, from x, y, z only.
inline Vec3f faceNormal(const Vec4f& p0, const Vec4f& p1, const Vec4f& p2) {
    const Vec3f e1{p1.x - p0.x, p1.y - p0.y, p1.z - p0.z};
    const Vec3f e2{p2.x - p0.x, p2.y - p0.y, p2.z - p0.z};
    return normalize(cross(e1, e2));
}

}  // namespace vec_math
