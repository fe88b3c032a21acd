// One float image plane: a coverage mask for shapes and lettering, or one colour channel
// of a Canvas. Shapes are anti-aliased; values are kept, not clamped, until painted.
#pragma once

#include <cstddef>
#include <vector>

namespace gen {

struct Point {
    float x = 0.0f;
    float y = 0.0f;
};

class ValueNoise;

class Plane {
public:
    Plane(int width, int height, float value = 0.0f);

    int width() const { return width_; }
    int height() const { return height_; }
    float at(int x, int y) const { return values_[static_cast<std::size_t>(y) * width_ + x]; }
    float& at(int x, int y) { return values_[static_cast<std::size_t>(y) * width_ + x]; }
    // Bilinear sample with clamped edges.
    float sample(float x, float y) const;
    std::vector<float>& values() { return values_; }
    const std::vector<float>& values() const { return values_; }

    void fill(float value);
    // Raises covered pixels towards `value` (coverage-weighted maximum).
    void fillCircle(float cx, float cy, float radius, float value = 1.0f);
    void fillEllipse(float cx, float cy, float rx, float ry, float value = 1.0f);
    void fillRing(float cx, float cy, float inner, float outer, float value = 1.0f);
    // A thick line with round ends.
    void line(Point a, Point b, float width, float value = 1.0f);
    void polyline(const std::vector<Point>& points, float width, float value = 1.0f);
    void fillPolygon(const std::vector<Point>& points, float value = 1.0f);
    // Soft round dot: value × (1 − (d/r)²)² added and capped at 1.
    void dab(float cx, float cy, float radius, float value);

    // Approximately Gaussian blur (three box passes of the given radius).
    void blur(int radius);
    // Maps [lo, hi] to [0, 1] smoothly; below lo is 0, above hi is 1.
    void smoothStep(float lo, float hi);
    void clamp01();
    void scale(float factor);
    void add(const Plane& other, float factor = 1.0f);
    // this = this × (1 − other): cuts `other` out of this mask.
    void cut(const Plane& other);
    void maximum(const Plane& other);
    // Moves every pixel by a smooth noise displacement of up to `amplitude` pixels.
    void warp(const ValueNoise& noise, float amplitude, float featureSize);
    // Grown copy: blurred by `radius` and thresholded, for outlines around lettering.
    Plane grown(int radius) const;

private:
    void cover(int x, int y, float coverage, float value);
    void boxPass(int radius, bool horizontal);

    int width_;
    int height_;
    std::vector<float> values_;
};

}  // namespace gen
