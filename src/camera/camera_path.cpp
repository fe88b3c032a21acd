#include "camera/camera_path.h"

#include <cmath>

void CameraPath::addPoint(const Vector3& point) {
    points.push_back(point);
}

uint32_t CameraPath::lastSegment() const {
    return points.size() >= 4 ? static_cast<uint32_t>(points.size() - 4) : 0;
}

Vector3 CameraPath::evaluate(uint32_t i, float t) const {
    if (points.size() < 4) {
        return Vector3(0, 0, 0);
    }
    if (i > lastSegment()) {
        i = lastSegment();
    }
    const Vector3& p0 = points[i];
    const Vector3& p1 = points[i + 1];
    const Vector3& p2 = points[i + 2];
    const Vector3& p3 = points[i + 3];
    float u = 1.0f - t;
    float c0 = -t * u * u;
    float c1 = 2.0f - 5.0f * t * t + 3.0f * t * t * t;
    float c2 = t * (1.0f + 4.0f * t - 3.0f * t * t);
    float c3 = u * t * t;
    Vector3 r;
    r.x = (c0 * p0.x + c1 * p1.x + c2 * p2.x - c3 * p3.x) / 2.0f;
    r.y = (c0 * p0.y + c1 * p1.y + c2 * p2.y - c3 * p3.y) / 2.0f;
    r.z = (c0 * p0.z + c1 * p1.z + c2 * p2.z - c3 * p3.z) / 2.0f;
    return r;
}

Vector3 CameraPath::current() const {
    return evaluate(segment, t);
}

bool CameraPath::advance(uint32_t& s, float& u) const {
    u += step;
    if (u >= 1.0f) {
        if (s >= lastSegment()) {
            return false;
        }
        s += 1;
        u -= 1.0f;
    }
    return true;
}

bool CameraPath::stepOnce() {
    return advance(segment, t);
}

bool CameraPath::peek(int n, Vector3& out) const {
    uint32_t s = segment;
    float u = t;
    for (int k = 0; k < n; ++k) {
        if (!advance(s, u)) {
            return false;
        }
    }
    out = evaluate(s, u);
    return true;
}

Vector3 CameraPath::atFraction(float f) const {
    if (!(f >= 0.0f)) {  // below 0, or not a number
        f = 0.0f;
    }
    if (f > 1.0f) {
        f = 1.0f;
    }
    float span = points.size() >= 4 ? static_cast<float>(points.size() - 4) : 0.0f;
    float x = span * f;
    auto i = static_cast<uint32_t>(x);
    return evaluate(i, x - static_cast<float>(i));
}

void CameraPath::rewind() {
    segment = 0;
    t = 0.0f;
}
