#include "vintra-gen/models/glyph_outlines.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <algorithm>
#include <cmath>

namespace gen {
namespace {

// Segments per curve: enough to look round at title size, few enough to keep the face count
// (and the quadratic shadow preparation of the show) small.
constexpr int kConicSteps = 4;
constexpr int kCubicSteps = 6;
// Points closer than this (em units) are merged; nearly straight corners are dropped.
constexpr double kMergeDistance = 1e-4;
constexpr double kCollinearArea = 1e-7;

struct Decomposer {
    std::vector<std::vector<Point2>> contours;
    double scale = 1.0;
    double offsetX = 0.0;
    Point2 last;

    Point2 point(const FT_Vector* v) const { return {v->x * scale + offsetX, v->y * scale}; }
    void add(Point2 p) {
        contours.back().push_back(p);
        last = p;
    }
};

int moveTo(const FT_Vector* to, void* user) {
    auto* d = static_cast<Decomposer*>(user);
    d->contours.emplace_back();
    d->add(d->point(to));
    return 0;
}

int lineTo(const FT_Vector* to, void* user) {
    auto* d = static_cast<Decomposer*>(user);
    d->add(d->point(to));
    return 0;
}

int conicTo(const FT_Vector* control, const FT_Vector* to, void* user) {
    auto* d = static_cast<Decomposer*>(user);
    const Point2 p0 = d->last;
    const Point2 p1 = d->point(control);
    const Point2 p2 = d->point(to);
    for (int i = 1; i <= kConicSteps; ++i) {
        const double t = static_cast<double>(i) / kConicSteps;
        const double a = (1 - t) * (1 - t);
        const double b = 2 * (1 - t) * t;
        const double c = t * t;
        d->add({a * p0.x + b * p1.x + c * p2.x, a * p0.y + b * p1.y + c * p2.y});
    }
    return 0;
}

int cubicTo(const FT_Vector* c1, const FT_Vector* c2, const FT_Vector* to, void* user) {
    auto* d = static_cast<Decomposer*>(user);
    const Point2 p0 = d->last;
    const Point2 p1 = d->point(c1);
    const Point2 p2 = d->point(c2);
    const Point2 p3 = d->point(to);
    for (int i = 1; i <= kCubicSteps; ++i) {
        const double t = static_cast<double>(i) / kCubicSteps;
        const double s = 1 - t;
        const double a = s * s * s;
        const double b = 3 * s * s * t;
        const double c = 3 * s * t * t;
        const double e = t * t * t;
        d->add(
            {a * p0.x + b * p1.x + c * p2.x + e * p3.x, a * p0.y + b * p1.y + c * p2.y + e * p3.y});
    }
    return 0;
}

double signedArea(const std::vector<Point2>& c) {
    double area = 0;
    for (size_t i = 0; i < c.size(); ++i) {
        const Point2& p = c[i];
        const Point2& q = c[(i + 1) % c.size()];
        area += p.x * q.y - q.x * p.y;
    }
    return area * 0.5;
}

double triangleArea(const Point2& a, const Point2& b, const Point2& c) {
    return 0.5 * ((b.x - a.x) * (c.y - a.y) - (c.x - a.x) * (b.y - a.y));
}

// Drops repeated points and points on a straight line between their neighbours, which would
// otherwise give the tessellator zero-area triangles.
std::vector<Point2> cleaned(std::vector<Point2> c) {
    bool changed = true;
    while (changed && c.size() >= 3) {
        changed = false;
        for (size_t i = 0; i < c.size() && c.size() >= 3; ++i) {
            const Point2& prev = c[(i + c.size() - 1) % c.size()];
            const Point2& p = c[i];
            const Point2& next = c[(i + 1) % c.size()];
            const bool repeated = std::hypot(p.x - prev.x, p.y - prev.y) < kMergeDistance;
            if (repeated || std::fabs(triangleArea(prev, p, next)) < kCollinearArea) {
                c.erase(c.begin() + static_cast<std::ptrdiff_t>(i));
                changed = true;
                break;
            }
        }
    }
    return c.size() >= 3 ? c : std::vector<Point2>{};
}

bool inside(const Point2& p, const std::vector<Point2>& c) {
    bool in = false;
    for (size_t i = 0, j = c.size() - 1; i < c.size(); j = i++) {
        if ((c[i].y > p.y) != (c[j].y > p.y) &&
            p.x < (c[j].x - c[i].x) * (p.y - c[i].y) / (c[j].y - c[i].y) + c[i].x) {
            in = !in;
        }
    }
    return in;
}

// Outer contours counter-clockwise, holes (inside an odd number of others) clockwise.
void orient(std::vector<std::vector<Point2>>& contours) {
    std::vector<bool> hole(contours.size(), false);
    for (size_t i = 0; i < contours.size(); ++i) {
        int depth = 0;
        for (size_t j = 0; j < contours.size(); ++j) {
            if (i != j && inside(contours[i][0], contours[j])) {
                ++depth;
            }
        }
        hole[i] = depth % 2 == 1;
    }
    for (size_t i = 0; i < contours.size(); ++i) {
        if ((signedArea(contours[i]) > 0) == hole[i]) {
            std::reverse(contours[i].begin(), contours[i].end());
        }
    }
}

}  // namespace

struct GlyphOutlines::Library {
    FT_Library ft = nullptr;
    ~Library() {
        if (ft != nullptr) {
            FT_Done_FreeType(ft);
        }
    }
};

GlyphOutlines::GlyphOutlines() : library_(std::make_unique<Library>()) {
    if (FT_Init_FreeType(&library_->ft) != 0) {
        error_ = "FreeType did not start";
        return;
    }
    if (!open("Liberation Sans:bold") && !open("DejaVu Sans:bold")) {
        error_ = "no bold sans font found (Liberation Sans or DejaVu Sans)";
    }
}

GlyphOutlines::~GlyphOutlines() {
    if (face_ != nullptr) {
        FT_Done_Face(static_cast<FT_Face>(face_));
    }
}

bool GlyphOutlines::open(const std::string& pattern) {
    FcPattern* wanted = FcNameParse(reinterpret_cast<const FcChar8*>(pattern.c_str()));
    if (wanted == nullptr) {
        return false;
    }
    FcConfigSubstitute(nullptr, wanted, FcMatchPattern);
    FcDefaultSubstitute(wanted);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, wanted, &result);
    FcPatternDestroy(wanted);
    if (match == nullptr) {
        return false;
    }
    FcChar8* file = nullptr;
    FcChar8* family = nullptr;
    std::string path;
    std::string matchedFamily;
    if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch) {
        path = reinterpret_cast<const char*>(file);
    }
    if (FcPatternGetString(match, FC_FAMILY, 0, &family) == FcResultMatch) {
        matchedFamily = reinterpret_cast<const char*>(family);
    }
    FcPatternDestroy(match);
    // fontconfig always answers with something; take it only if it is the family asked for.
    if (path.empty() || pattern.rfind(matchedFamily, 0) != 0) {
        return false;
    }
    FT_Face face = nullptr;
    if (FT_New_Face(library_->ft, path.c_str(), 0, &face) != 0) {
        return false;
    }
    face_ = face;
    fontFile_ = path;
    return true;
}

std::vector<GlyphShape> GlyphOutlines::layout(const std::string& text) const {
    std::vector<GlyphShape> shapes;
    if (face_ == nullptr) {
        return shapes;
    }
    auto face = static_cast<FT_Face>(face_);
    const double em = face->units_per_EM;
    double penX = 0;
    FT_UInt previous = 0;
    for (unsigned char ch : text) {
        const FT_UInt index = FT_Get_Char_Index(face, ch);
        if (previous != 0 && index != 0 && FT_HAS_KERNING(face)) {
            FT_Vector kern{};
            FT_Get_Kerning(face, previous, index, FT_KERNING_UNSCALED, &kern);
            penX += kern.x / em;
        }
        if (FT_Load_Glyph(face, index, FT_LOAD_NO_SCALE) != 0) {
            continue;
        }
        GlyphShape shape = glyph(penX);
        if (!shape.contours.empty()) {
            shapes.push_back(std::move(shape));
        }
        penX += face->glyph->metrics.horiAdvance / em;
        previous = index;
    }
    return shapes;
}

GlyphShape GlyphOutlines::glyph(double penX) const {
    auto face = static_cast<FT_Face>(face_);
    Decomposer d;
    d.scale = 1.0 / face->units_per_EM;
    d.offsetX = penX;
    FT_Outline_Funcs funcs{};
    funcs.move_to = moveTo;
    funcs.line_to = lineTo;
    funcs.conic_to = conicTo;
    funcs.cubic_to = cubicTo;
    FT_Outline_Decompose(&face->glyph->outline, &funcs, &d);
    GlyphShape shape;
    for (auto& c : d.contours) {
        std::vector<Point2> clean = cleaned(std::move(c));
        if (!clean.empty()) {
            shape.contours.push_back(std::move(clean));
        }
    }
    orient(shape.contours);
    return shape;
}

}  // namespace gen
