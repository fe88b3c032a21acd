// Spray-paint strokes on a coverage plane: soft dabs along a smoothed path, overspray
// speckles and paint drips, all driven by the caller's deterministic Rng.
#pragma once

#include <vector>

#include "vintra-gen/pictures/plane.h"
#include "vintra-gen/rng.h"

namespace gen {

class SprayCan {
public:
    explicit SprayCan(Rng& rng) : rng_(rng) {}

    // One stroke of the given width through the control points (smoothed, Catmull-Rom).
    void stroke(Plane& plane, const std::vector<Point>& points, float width, float pressure = 1.0f);
    // Fine paint dots scattered around a point with a roughly normal spread.
    void speckle(Plane& plane, Point centre, float spread, int count, float size);
    // A run of paint hanging down from `top`.
    void drip(Plane& plane, Point top, float length, float width);
    // Drips from random covered points along the lower edges of a mask.
    void dripsUnder(Plane& plane, const Plane& source, int count, float maxLength, float width);

    // Points of the smoothed curve through `points`, about `spacing` pixels apart.
    static std::vector<Point> smooth(const std::vector<Point>& points, float spacing);

private:
    Rng& rng_;
};

}  // namespace gen
