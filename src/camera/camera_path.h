// A Catmull-Rom path through control points with a walking position: placed by a
// fraction of the whole path (camera cuts, flights) or walked a step at a time (tower).
#pragma once

#include <cstdint>
#include <vector>

#include "objects/vector3.h"

class CameraPath {
public:
    explicit CameraPath(float step = 0.02f) : step(step) {}

    void addPoint(const Vector3& point);

    // Segment i is the curve from points[i+1] to points[i+2], shaped by points[i] and
    // points[i+3]; t = 0 gives points[i+1], t = 1 gives points[i+2]. Computed in float.
    // A segment past the last one is clamped to it; with fewer than four points the
    // result is the zero vector.
    Vector3 evaluate(uint32_t i, float t) const;
    Vector3 current() const;

    // One walk step; false (t left at or above 1) when it would leave the last segment.
    bool stepOnce();
    // The point n steps ahead, without moving; false when that passes the last segment.
    bool peek(int n, Vector3& out) const;

    // f in [0, 1] over (N - 4) segments: fraction 1 lands on points[N-3], so the last
    // segment is never entered and the last two points only shape the curve.
    Vector3 atFraction(float f) const;

    void rewind();

    uint32_t lastSegment() const;
    // One step from segment s at u, as stepOnce takes it.
    bool advance(uint32_t& s, float& u) const;

    std::vector<Vector3> points;
    uint32_t segment = 0;
    float t = 0.0f;
    float step;
};
