// The loading screens: the title over a record, with one more of three arcs lit on each.
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "base/data_file.h"
#include "vintra-gen/pictures/canvas.h"
#include "vintra-gen/pictures/jpeg_encoder.h"
#include "vintra-gen/pictures/lettering.h"
#include "vintra-gen/pictures/need_lettering.h"
#include "vintra-gen/producers.h"

namespace gen {

namespace {

// Full-window pictures are stretched from a square to 4:3, so they are drawn narrower.
constexpr float kAspect = 0.75f;
constexpr float kPi = 3.14159265f;

// A ring sector between radii r0 and r1 from angle a0 to a1 (radians, clockwise from the top).
std::vector<Point> sector(Point c, float r0, float r1, float a0, float a1, float xScale) {
    std::vector<Point> points;
    int steps = std::max(4, static_cast<int>((a1 - a0) * 40));
    for (int i = 0; i <= steps; ++i) {
        float a = a0 + (a1 - a0) * i / steps;
        points.push_back({c.x + std::sin(a) * r1 * xScale, c.y - std::cos(a) * r1});
    }
    for (int i = steps; i >= 0; --i) {
        float a = a0 + (a1 - a0) * i / steps;
        points.push_back({c.x + std::sin(a) * r0 * xScale, c.y - std::cos(a) * r0});
    }
    return points;
}

// A vinyl record seen from above: black disc, grooves catching light, coloured label.
void drawRecord(Canvas& canvas, Point c, float radius, float xScale, Color label) {
    int w = canvas.width();
    int h = canvas.height();
    Plane disc(w, h);
    disc.fillEllipse(c.x, c.y, radius * xScale, radius);
    canvas.paint(disc, {0.02f, 0.02f, 0.025f});
    Plane grooves(w, h);
    for (float r = radius * 0.42f; r < radius * 0.97f; r += 3.0f) {
        Plane ring(w, h);
        ring.fillEllipse(c.x, c.y, r * xScale, r);
        Plane inner(w, h);
        inner.fillEllipse(c.x, c.y, (r - 1.0f) * xScale, r - 1.0f);
        ring.cut(inner);
        grooves.maximum(ring);
    }
    canvas.paint(grooves, {0.16f, 0.16f, 0.18f}, 0.8f);
    Plane sheen(w, h);
    sheen.fillPolygon(sector(c, radius * 0.45f, radius * 0.96f, 0.5f, 0.9f, xScale));
    sheen.fillPolygon(sector(c, radius * 0.45f, radius * 0.96f, 0.5f + kPi, 0.9f + kPi, xScale));
    sheen.blur(4);
    canvas.add(sheen, {0.12f, 0.12f, 0.14f});
    Plane labelPlane(w, h);
    labelPlane.fillEllipse(c.x, c.y, radius * 0.36f * xScale, radius * 0.36f);
    canvas.paint(labelPlane, label);
    Plane hole(w, h);
    hole.fillEllipse(c.x, c.y, 4.0f * xScale, 4.0f);
    canvas.paint(hole, {0.0f, 0.0f, 0.0f});
}

void drawLoadingScreen(const Lettering& lettering, int step, Canvas& canvas) {
    const int size = canvas.width();
    canvas.verticalGradient({0.05f, 0.05f, 0.12f}, {0.0f, 0.0f, 0.0f});
    Color orange{1.0f, 0.55f, 0.12f};
    Point centre{size * 0.5f, 336.0f};
    // Progress: three arcs around the record, one more lit on every screen.
    for (int i = 0; i < 3; ++i) {
        Plane arc(size, size);
        float a0 = i * 2.0f * kPi / 3.0f + 0.08f;
        arc.fillPolygon(
            sector(centre, 128.0f, 140.0f, a0, a0 + 2.0f * kPi / 3.0f - 0.16f, kAspect));
        if (i <= step) {
            canvas.glow(arc, scaled(orange, 0.9f), 6);
            canvas.paint(arc, {1.0f, 0.8f, 0.45f});
        } else {
            canvas.paint(arc, {0.18f, 0.18f, 0.22f});
        }
    }
    drawRecord(canvas, centre, 110.0f, kAspect, mix(orange, {0.9f, 0.1f, 0.2f}, step * 0.4f));
    TextStyle small{.pixelHeight = 34.0f, .xScale = kAspect, .tracking = 4.0f};
    Plane group = lettering.render(size, size, "#Korrin", {size * 0.5f, 62.0f}, small);
    canvas.paint(group, {0.75f, 0.78f, 0.85f});
    TextStyle big{.pixelHeight = 112.0f, .xScale = kAspect, .slant = 0.12f};
    Plane title = lettering.render(size, size, "tarvel", {size * 0.5f, 142.0f}, big);
    canvas.glow(title, scaled(orange, 0.8f), 10);
    canvas.paintGradient(title, {1.0f, 0.92f, 0.7f}, orange, 110.0f, 195.0f);
    std::string label = "loading " + std::to_string(step + 1) + "/3";
    TextStyle tiny{.pixelHeight = 22.0f, .xScale = kAspect, .tracking = 3.0f};
    canvas.paint(lettering.render(size, size, label, {size * 0.5f, 500.0f}, tiny),
                 {0.55f, 0.58f, 0.65f});
    canvas.clamp01();
}

}  // namespace

void produceLoadingScreens(OutputDirectory& out) {
    Lettering lettering;
    if (!needLettering(out, lettering)) {
        return;
    }
    for (int step = 0; step < 3; ++step) {
        Canvas canvas(512, 512);
        drawLoadingScreen(lettering, step, canvas);
        JpegEncoder::write(out, data::kLoadingPictures.inDataSet(step + 1), canvas);
    }
}

}  // namespace gen
