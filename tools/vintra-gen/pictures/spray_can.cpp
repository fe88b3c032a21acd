#include "vintra-gen/pictures/spray_can.h"

#include <algorithm>
#include <cmath>

namespace gen {

namespace {

Point catmullRom(Point p0, Point p1, Point p2, Point p3, float t) {
    float t2 = t * t;
    float t3 = t2 * t;
    auto axis = [&](float a, float b, float c, float d) {
        return 0.5f * ((2 * b) + (-a + c) * t + (2 * a - 5 * b + 4 * c - d) * t2 +
                       (-a + 3 * b - 3 * c + d) * t3);
    };
    return {axis(p0.x, p1.x, p2.x, p3.x), axis(p0.y, p1.y, p2.y, p3.y)};
}

}  // namespace

std::vector<Point> SprayCan::smooth(const std::vector<Point>& points, float spacing) {
    std::vector<Point> out;
    if (points.size() < 2) {
        return points;
    }
    for (size_t i = 0; i + 1 < points.size(); ++i) {
        Point p0 = points[i > 0 ? i - 1 : 0];
        Point p1 = points[i];
        Point p2 = points[i + 1];
        Point p3 = points[std::min(i + 2, points.size() - 1)];
        float length = std::hypot(p2.x - p1.x, p2.y - p1.y);
        int steps = std::max(1, static_cast<int>(length / std::max(spacing, 0.25f)));
        for (int s = 0; s < steps; ++s) {
            out.push_back(catmullRom(p0, p1, p2, p3, static_cast<float>(s) / steps));
        }
    }
    out.push_back(points.back());
    return out;
}

void SprayCan::stroke(Plane& plane, const std::vector<Point>& points, float width, float pressure) {
    float radius = width * 0.5f;
    std::vector<Point> path = smooth(points, std::max(1.0f, radius * 0.3f));
    for (size_t i = 0; i < path.size(); ++i) {
        // The can starts and ends a stroke lighter than its middle.
        float along = path.size() > 1 ? static_cast<float>(i) / (path.size() - 1) : 0.5f;
        float taper = 0.55f + 0.45f * std::sin(3.14159265f * along);
        float r = radius * (0.85f + 0.3f * static_cast<float>(rng_.uniform())) * taper + 0.5f;
        plane.dab(path[i].x, path[i].y, r, 0.45f * pressure);
        if (rng_.below(3) == 0) {
            speckle(plane, path[i], radius * 1.1f, 2, std::max(0.6f, radius * 0.08f));
        }
    }
}

void SprayCan::speckle(Plane& plane, Point centre, float spread, int count, float size) {
    for (int i = 0; i < count; ++i) {
        float x = centre.x + static_cast<float>(rng_.normal()) * spread;
        float y = centre.y + static_cast<float>(rng_.normal()) * spread;
        plane.dab(x, y, size * (0.6f + static_cast<float>(rng_.uniform())),
                  0.4f + 0.5f * static_cast<float>(rng_.uniform()));
    }
}

void SprayCan::drip(Plane& plane, Point top, float length, float width) {
    Point bottom{top.x + static_cast<float>(rng_.range(-0.5, 0.5)), top.y + length};
    plane.line(top, bottom, width, 0.9f);
    plane.fillCircle(bottom.x, bottom.y, width * 0.75f, 0.95f);
}

void SprayCan::dripsUnder(Plane& plane, const Plane& source, int count, float maxLength,
                          float width) {
    for (int attempt = 0, made = 0; attempt < count * 40 && made < count; ++attempt) {
        int x = rng_.below(source.width());
        int y = rng_.below(source.height() - 2);
        // A drip starts where paint has a bare pixel right under it.
        if (source.at(x, y) > 0.7f && source.at(x, y + 2) < 0.1f) {
            drip(plane, {x + 0.5f, y + 1.0f}, maxLength * static_cast<float>(rng_.range(0.3, 1.0)),
                 width);
            ++made;
        }
    }
}

}  // namespace gen
