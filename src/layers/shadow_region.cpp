#include "layers/shadow_region.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

constexpr double kMarginPixels = 2;  // for rounding at the edges of a rectangle

// a · b for 4 × 4 column-major matrices.
void multiply(const float a[16], const float b[16], float out[16]) {
    for (int column = 0; column < 4; ++column) {
        for (int row = 0; row < 4; ++row) {
            double sum = 0;
            for (int k = 0; k < 4; ++k) {
                sum += static_cast<double>(a[k * 4 + row]) * b[column * 4 + k];
            }
            out[column * 4 + row] = static_cast<float>(sum);
        }
    }
}

float component(const Vector3& v, int axis) {
    return axis == 0 ? v.x : (axis == 1 ? v.y : v.z);
}

}  // namespace

void ShadowRegion::setReceiver(const Vector3& lowest, const Vector3& highest,
                               const float frame[16]) {
    hasReceiver = true;
    receiverLowest = lowest;
    receiverHighest = highest;
    std::memcpy(receiverFrame, frame, sizeof receiverFrame);
}

void ShadowRegion::beginFrame() {
    GLfloat modelview[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, modelview);
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    multiply(modelview, receiverFrame, eyeFromObject);
    receiverOnScreen = hasReceiver && project(receiverLowest, receiverHighest, receiverRect);
}

bool ShadowRegion::project(const Vector3& lowest, const Vector3& highest, GLint rect[4]) const {
    double left = viewport[0] + viewport[2], right = viewport[0];
    double bottom = viewport[1] + viewport[3], top = viewport[1];
    for (int corner = 0; corner < 8; ++corner) {
        const Vector3 p((corner & 1) ? highest.x : lowest.x, (corner & 2) ? highest.y : lowest.y,
                        (corner & 4) ? highest.z : lowest.z);
        const Vector3 eye = p.transformPoint(eyeFromObject);
        double clip[4];
        for (int i = 0; i < 4; ++i) {
            clip[i] = projection[i] * eye.x + projection[i + 4] * eye.y +
                      projection[i + 8] * eye.z + projection[i + 12];
        }
        if (!(clip[3] > 1e-6)) {
            return false;
        }
        const double x = viewport[0] + (clip[0] / clip[3] + 1) * 0.5 * viewport[2];
        const double y = viewport[1] + (clip[1] / clip[3] + 1) * 0.5 * viewport[3];
        left = std::min(left, x);
        right = std::max(right, x);
        bottom = std::min(bottom, y);
        top = std::max(top, y);
    }
    left = std::max<double>(viewport[0], std::floor(left - kMarginPixels));
    bottom = std::max<double>(viewport[1], std::floor(bottom - kMarginPixels));
    right = std::min<double>(viewport[0] + viewport[2], std::ceil(right + kMarginPixels));
    top = std::min<double>(viewport[1] + viewport[3], std::ceil(top + kMarginPixels));
    rect[0] = static_cast<GLint>(left);
    rect[1] = static_cast<GLint>(bottom);
    rect[2] = std::max(0, static_cast<GLint>(right - left));
    rect[3] = std::max(0, static_cast<GLint>(top - bottom));
    return true;
}

ShadowRegion::Reach ShadowRegion::receiverRegion(GLint rect[4]) const {
    if (!receiverOnScreen) {
        return hasReceiver ? Reach::Anywhere : Reach::None;
    }
    std::copy(receiverRect, receiverRect + 4, rect);
    return Reach::Rectangle;
}

bool ShadowRegion::shadowedPart(const BoundingSphere& caster, const Vector3& light, Vector3& lowest,
                                Vector3& highest) {
    const Vector3 toCaster = caster.centre - light;
    const double casterDistance = toCaster.length();
    if (!(casterDistance > caster.radius)) {
        return true;  // the light inside the caster's sphere: the whole box
    }
    // The cone, cut off no nearer the light than the caster and no farther than the box's
    // farthest corner, lies inside the hull of its two end discs.
    double farthest = 0;
    for (int corner = 0; corner < 8; ++corner) {
        const Vector3 p((corner & 1) ? highest.x : lowest.x, (corner & 2) ? highest.y : lowest.y,
                        (corner & 4) ? highest.z : lowest.z);
        farthest = std::max(farthest, (p - light).length());
    }
    const double sine = caster.radius / casterDistance;
    const double cosine = std::sqrt(1 - sine * sine);
    const double nearAlong = (casterDistance - caster.radius) * cosine;
    if (nearAlong > farthest) {
        return false;
    }
    const Vector3 axis = toCaster / casterDistance;
    const double spread = sine / cosine;  // disc radius per unit along the axis
    for (int k = 0; k < 3; ++k) {
        const double across = std::sqrt(std::max(0.0, 1 - std::pow(component(axis, k), 2)));
        double coneLow = 1e300, coneHigh = -1e300;
        for (const double along : {nearAlong, farthest}) {
            const double centre = component(light, k) + component(axis, k) * along;
            const double reach = along * spread * across;
            coneLow = std::min(coneLow, centre - reach);
            coneHigh = std::max(coneHigh, centre + reach);
        }
        const double low = std::max<double>(component(lowest, k), coneLow);
        const double high = std::min<double>(component(highest, k), coneHigh);
        if (low > high) {
            return false;
        }
        float* lowOut = k == 0 ? &lowest.x : (k == 1 ? &lowest.y : &lowest.z);
        float* highOut = k == 0 ? &highest.x : (k == 1 ? &highest.y : &highest.z);
        *lowOut = static_cast<float>(std::floor(low * 1e4) / 1e4);
        *highOut = static_cast<float>(std::ceil(high * 1e4) / 1e4);
    }
    return true;
}

ShadowRegion::Reach ShadowRegion::casterRegion(const BoundingSphere& caster, const Vector3& light,
                                               GLint rect[4]) const {
    if (!hasReceiver) {
        return Reach::Anywhere;
    }
    Vector3 lowest = receiverLowest, highest = receiverHighest;
    if (!shadowedPart(caster, light, lowest, highest)) {
        return Reach::None;
    }
    if (!receiverOnScreen) {
        return Reach::Anywhere;
    }
    GLint part[4];
    if (!project(lowest, highest, part)) {
        std::copy(receiverRect, receiverRect + 4, rect);
        return Reach::Rectangle;
    }
    const GLint left = std::max(part[0], receiverRect[0]);
    const GLint bottom = std::max(part[1], receiverRect[1]);
    const GLint right = std::min(part[0] + part[2], receiverRect[0] + receiverRect[2]);
    const GLint top = std::min(part[1] + part[3], receiverRect[1] + receiverRect[3]);
    rect[0] = left;
    rect[1] = bottom;
    rect[2] = std::max(0, right - left);
    rect[3] = std::max(0, top - bottom);
    return Reach::Rectangle;
}
