#include "vintra-gen/models/cap_tessellator.h"

#include <GL/glu.h>

#include <memory>
#include <utility>

namespace gen {
namespace {

struct TessVertex {
    GLdouble xyz[3];
    int index;
};

struct TessState {
    std::vector<int> corners;
    bool failed = false;
};

void GLAPIENTRY onBegin(GLenum /*type*/, void* /*data*/) {}

void GLAPIENTRY onVertex(void* vertex, void* data) {
    auto* state = static_cast<TessState*>(data);
    if (vertex == nullptr) {
        state->failed = true;
        return;
    }
    state->corners.push_back(static_cast<TessVertex*>(vertex)->index);
}

// Registering an edge-flag callback makes GLU emit separate triangles only.
void GLAPIENTRY onEdgeFlag(GLboolean /*flag*/, void* /*data*/) {}

void GLAPIENTRY onCombine(GLdouble /*coords*/[3], void* /*vertices*/[4], GLfloat /*weights*/[4],
                          void** out, void* data) {
    static_cast<TessState*>(data)->failed = true;
    *out = nullptr;
}

void GLAPIENTRY onError(GLenum /*error*/, void* data) {
    static_cast<TessState*>(data)->failed = true;
}

using Callback = void(GLAPIENTRY*)();

}  // namespace

bool CapTessellator::triangulate(const std::vector<std::vector<Point2>>& contours,
                                 std::vector<std::array<int, 3>>& triangles) {
    std::vector<TessVertex> vertices;
    for (const auto& contour : contours) {
        for (const Point2& p : contour) {
            vertices.push_back({{p.x, p.y, 0.0}, static_cast<int>(vertices.size())});
        }
    }
    std::unique_ptr<GLUtesselator, void (*)(GLUtesselator*)> tess(gluNewTess(), gluDeleteTess);
    if (!tess) {
        return false;
    }
    TessState state;
    gluTessCallback(tess.get(), GLU_TESS_BEGIN_DATA, reinterpret_cast<Callback>(onBegin));
    gluTessCallback(tess.get(), GLU_TESS_VERTEX_DATA, reinterpret_cast<Callback>(onVertex));
    gluTessCallback(tess.get(), GLU_TESS_EDGE_FLAG_DATA, reinterpret_cast<Callback>(onEdgeFlag));
    gluTessCallback(tess.get(), GLU_TESS_COMBINE_DATA, reinterpret_cast<Callback>(onCombine));
    gluTessCallback(tess.get(), GLU_TESS_ERROR_DATA, reinterpret_cast<Callback>(onError));
    gluTessProperty(tess.get(), GLU_TESS_WINDING_RULE, GLU_TESS_WINDING_ODD);
    gluTessNormal(tess.get(), 0, 0, 1);
    gluTessBeginPolygon(tess.get(), &state);
    size_t next = 0;
    for (const auto& contour : contours) {
        gluTessBeginContour(tess.get());
        for (size_t i = 0; i < contour.size(); ++i, ++next) {
            gluTessVertex(tess.get(), vertices[next].xyz, &vertices[next]);
        }
        gluTessEndContour(tess.get());
    }
    gluTessEndPolygon(tess.get());
    if (state.failed || state.corners.size() % 3 != 0) {
        return false;
    }
    auto point = [&](int i) { return vertices[static_cast<size_t>(i)].xyz; };
    for (size_t i = 0; i < state.corners.size(); i += 3) {
        std::array<int, 3> t = {state.corners[i], state.corners[i + 1], state.corners[i + 2]};
        const GLdouble* a = point(t[0]);
        const GLdouble* b = point(t[1]);
        const GLdouble* c = point(t[2]);
        const double area = (b[0] - a[0]) * (c[1] - a[1]) - (c[0] - a[0]) * (b[1] - a[1]);
        if (area < 0) {
            std::swap(t[1], t[2]);
        }
        triangles.push_back(t);
    }
    return true;
}

}  // namespace gen
