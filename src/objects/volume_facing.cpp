#include "objects/volume_facing.h"

#include "render/gl/gl.h"

#include <cmath>

namespace {

// Relative size below which the eye counts as lying in the primitive's plane.
constexpr double kEdgeOn = 1e-5;

double det3(double a, double b, double c, double d, double e, double f, double g, double h,
            double i) {
    return a * (e * i - f * h) - b * (d * i - f * g) + c * (d * h - e * g);
}

}  // namespace

bool VolumeFacing::fromCurrentView() {
    GLfloat m[16], p[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, m);
    glGetFloatv(GL_PROJECTION_MATRIX, p);
    const bool perspective = p[3] == 0 && p[7] == 0 && p[11] == -1 && p[15] == 0;
    const bool affine = m[3] == 0 && m[7] == 0 && m[11] == 0 && m[15] == 1;
    if (!perspective || !affine) {
        return false;
    }
    // Eye = −R⁻¹ t, by Cramer's rule on the upper 3 × 3 (column-major) part.
    const double d = det3(m[0], m[4], m[8], m[1], m[5], m[9], m[2], m[6], m[10]);
    if (!(std::fabs(d) > 1e-12)) {
        return false;
    }
    const double t[3] = {-m[12], -m[13], -m[14]};
    eye[0] = det3(t[0], m[4], m[8], t[1], m[5], m[9], t[2], m[6], m[10]) / d;
    eye[1] = det3(m[0], t[0], m[8], m[1], t[1], m[9], m[2], t[2], m[10]) / d;
    eye[2] = det3(m[0], m[4], t[0], m[1], m[5], t[1], m[2], m[6], t[2]) / d;
    // A frustum turns nothing round; a mirroring modelview does.
    mirrored = d < 0;
    return true;
}

// The plane through the first three points, homogeneous (its normal by the right-hand rule
// of their order), evaluated at the eye: positive where the primitive winds counter-clockwise
// as seen from the eye, which GL calls front.
void VolumeFacing::sort(const float* points, int corners, std::vector<float>& front,
                        std::vector<float>& back) const {
    const float* a = points;
    const float* b = points + 4;
    const float* c = points + 8;
    const double px = det3(a[1], a[2], a[3], b[1], b[2], b[3], c[1], c[2], c[3]);
    const double py = -det3(a[0], a[2], a[3], b[0], b[2], b[3], c[0], c[2], c[3]);
    const double pz = det3(a[0], a[1], a[3], b[0], b[1], b[3], c[0], c[1], c[3]);
    const double pw = -det3(a[0], a[1], a[2], b[0], b[1], b[2], c[0], c[1], c[2]);
    double side = px * eye[0] + py * eye[1] + pz * eye[2] + pw;
    const double scale =
        std::fabs(px * eye[0]) + std::fabs(py * eye[1]) + std::fabs(pz * eye[2]) + std::fabs(pw);
    if (mirrored) {
        side = -side;
    }
    const float* end = points + 4 * corners;
    if (!(std::fabs(side) > kEdgeOn * scale) || side > 0) {
        front.insert(front.end(), points, end);
    }
    if (!(std::fabs(side) > kEdgeOn * scale) || side < 0) {
        back.insert(back.end(), points, end);
    }
}
