#include "vintra-gen/models/text_extruder.h"

#include <cmath>
#include <limits>

#include "vintra-gen/models/cap_tessellator.h"

namespace gen {
namespace {

// Lower-case x-height of a bold sans, in em: the words are centred on it.
constexpr double kXHeight = 0.53;
// Side walls turning by more than this between segments get a hard edge.
constexpr double kCreaseCosine = 0.8;

}  // namespace

bool TextExtruder::extrude(const std::string& text, const TextPlacement& placement,
                           ModelBuilder& model) const {
    const std::vector<GlyphShape> glyphs = font_.layout(text);
    if (glyphs.empty()) {
        return false;
    }
    WordBox box{std::numeric_limits<double>::max(), std::numeric_limits<double>::lowest(),
                std::numeric_limits<double>::max(), std::numeric_limits<double>::lowest()};
    for (const GlyphShape& g : glyphs) {
        for (const auto& c : g.contours) {
            for (const Point2& p : c) {
                box.minX = std::min(box.minX, p.x);
                box.maxX = std::max(box.maxX, p.x);
                box.minY = std::min(box.minY, p.y);
                box.maxY = std::max(box.maxY, p.y);
            }
        }
    }
    const double shiftX = -(box.minX + box.maxX) * 0.5;
    bool complete = true;
    for (const GlyphShape& g : glyphs) {
        std::vector<std::array<int, 3>> triangles;
        if (!CapTessellator::triangulate(g.contours, triangles)) {
            complete = false;
            continue;
        }
        glyphSolid(g, triangles, placement, box, shiftX, model);
    }
    return complete;
}

void TextExtruder::glyphSolid(const GlyphShape& glyph,
                              const std::vector<std::array<int, 3>>& triangles,
                              const TextPlacement& placement, const WordBox& box, double shiftX,
                              ModelBuilder& model) const {
    const Frame& f = placement.frame;
    auto place = [&](const Point2& p, float z) {
        return f.at(static_cast<float>((p.x + shiftX) * placement.emSize),
                    static_cast<float>((p.y - kXHeight * 0.5) * placement.emSize), z);
    };
    auto uv = [&](const Point2& p) {
        return Uv{static_cast<float>((p.x - box.minX) / (box.maxX - box.minX)),
                  static_cast<float>(1.0 - (p.y - box.minY) / (box.maxY - box.minY))};
    };
    std::vector<Point2> points;
    for (const auto& c : glyph.contours) {
        points.insert(points.end(), c.begin(), c.end());
    }
    std::vector<uint16_t> front;
    std::vector<uint16_t> back;
    for (const Point2& p : points) {
        front.push_back(model.vertex(place(p, placement.depth), uv(p)));
    }
    for (const Point2& p : points) {
        back.push_back(model.vertex(place(p, 0.0f), uv(p)));
    }
    for (const auto& t : triangles) {
        model.triangle(front[t[0]], front[t[1]], front[t[2]], 1);
        model.triangle(back[t[0]], back[t[2]], back[t[1]], 1);
    }
    for (const auto& c : glyph.contours) {
        sideWalls(c, placement, box, shiftX, model);
    }
}

void TextExtruder::sideWalls(const std::vector<Point2>& contour, const TextPlacement& placement,
                             const WordBox& box, double shiftX, ModelBuilder& model) const {
    const Frame& f = placement.frame;
    const size_t n = contour.size();
    auto place = [&](const Point2& p, float z) {
        return f.at(static_cast<float>((p.x + shiftX) * placement.emSize),
                    static_cast<float>((p.y - kXHeight * 0.5) * placement.emSize), z);
    };
    auto direction = [&](size_t i) {
        const Point2& p = contour[i % n];
        const Point2& q = contour[(i + 1) % n];
        const double length = std::hypot(q.x - p.x, q.y - p.y);
        return Point2{(q.x - p.x) / length, (q.y - p.y) / length};
    };
    auto crease = [&](size_t i) {  // a hard edge at point i
        const Point2 in = direction(i + n - 1);
        const Point2 out = direction(i);
        return in.x * out.x + in.y * out.y < kCreaseCosine;
    };
    // Start at a crease when there is one, so the wrap-around joins two separate columns.
    size_t start = 0;
    for (size_t i = 0; i < n; ++i) {
        if (crease(i)) {
            start = i;
            break;
        }
    }
    // The texture runs along the wall by arc length, one repeat per word height.
    const double height = box.maxY - box.minY;
    const float top = static_cast<float>(placement.depth / placement.emSize / height);
    double s = 0;
    Point2 last = contour[start];
    uint16_t lowPrev = 0;
    uint16_t highPrev = 0;
    uint16_t lowFirst = 0;
    uint16_t highFirst = 0;
    for (size_t k = 0; k <= n; ++k) {
        const size_t i = (start + k) % n;
        const Point2& p = contour[i];
        s += std::hypot(p.x - last.x, p.y - last.y);
        last = p;
        if (k == n && !crease(i)) {
            // Smooth all the way round: close onto the first column.
            model.triangle(lowPrev, lowFirst, highFirst, 2);
            model.triangle(lowPrev, highFirst, highPrev, 2);
            break;
        }
        const float u = static_cast<float>(s / height);
        const uint16_t lowIn = model.vertex(place(p, 0.0f), {u, 0.0f});
        const uint16_t highIn = model.vertex(place(p, placement.depth), {u, top});
        if (k == 0) {
            lowFirst = lowIn;
            highFirst = highIn;
        } else {
            model.triangle(lowPrev, lowIn, highIn, 2);
            model.triangle(lowPrev, highIn, highPrev, 2);
        }
        if (k == n) {
            break;
        }
        if (k > 0 && crease(i)) {
            // A hard edge: the next wall starts from a column of its own.
            lowPrev = model.vertex(place(p, 0.0f), {u, 0.0f});
            highPrev = model.vertex(place(p, placement.depth), {u, top});
        } else {
            lowPrev = lowIn;
            highPrev = highIn;
        }
    }
}

}  // namespace gen
