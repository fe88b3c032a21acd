// A small RGB picture in floating point: shapes arrive as coverage planes and are painted,
// added (glow) or blended in; the result is quantised to 8-bit RGB for encoding.
#pragma once

#include <cstdint>
#include <vector>

#include "vintra-gen/pictures/plane.h"

namespace gen {

struct Color {
    float r = 0.0f;
    float g = 0.0f;
    float b = 0.0f;
};

Color mix(Color a, Color b, float t);
Color scaled(Color c, float factor);

class Canvas {
public:
    Canvas(int width, int height, Color background = {});

    int width() const { return width_; }
    int height() const { return height_; }
    Color pixel(int x, int y) const;
    void setPixel(int x, int y, Color c);

    void fill(Color c);
    void verticalGradient(Color top, Color bottom);
    // Colour `inner` at the centre falling to `outer` at `radius`, with a smooth curve.
    void radialGradient(float cx, float cy, float radius, Color inner, Color outer);

    // Blends `c` over the picture with the plane's coverage (times `opacity`) as alpha.
    void paint(const Plane& coverage, Color c, float opacity = 1.0f);
    // The same with a colour running from `top` at row y0 to `bottom` at row y1.
    void paintGradient(const Plane& coverage, Color top, Color bottom, float y0, float y1);
    // Adds `c` × coverage (light, not paint).
    void add(const Plane& coverage, Color c);
    // Adds a blurred copy of the coverage: a soft halo around shapes.
    void glow(const Plane& coverage, Color c, int radius);

    void blur(int radius);
    void invert();
    // Multiplies every channel by `factor`.
    void darken(float factor);
    // Adds a vignette towards black at the corners.
    void vignette(float strength);
    void clamp01();

    // Top row first, RGB, 8 bits a channel.
    std::vector<uint8_t> rgb8() const;

private:
    int width_;
    int height_;
    Plane r_;
    Plane g_;
    Plane b_;
};

}  // namespace gen
