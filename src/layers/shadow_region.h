// Where on the screen a model's shadow volume can change what a receiver shows: the part of
// the receiver's window rectangle covered by the receiver's points that lie in the caster's
// shadow cone. Filling a volume only there leaves every count on the receiver as it was and
// saves most of the volumes' fill.
#pragma once

#include "render/gl/gl.h"

#include "objects/bounding_sphere.h"
#include "objects/vector3.h"

class ShadowRegion {
public:
    enum class Reach { None, Rectangle, Anywhere };

    // The receiver's box in its frame (the matrix its object multiplies onto the modelview).
    void setReceiver(const Vector3& lowest, const Vector3& highest, const float frame[16]);

    // Once per frame, under the matrices and viewport the volumes are drawn with.
    void beginFrame();

    // The receiver's own rectangle (Anywhere when it cannot be bounded on screen).
    Reach receiverRegion(GLint rect[4]) const;
    // The rectangle in which `caster`'s shadow from `light` (both in the receiver's frame)
    // can fall on the receiver; None when it cannot fall on it at all.
    Reach casterRegion(const BoundingSphere& caster, const Vector3& light, GLint rect[4]) const;

    // The box around the receiver's points that can lie in the caster's shadow cone: the
    // cone from the light around the caster's sphere, no nearer the light than the caster.
    // False when there are none. Exposed for tests.
    static bool shadowedPart(const BoundingSphere& caster, const Vector3& light, Vector3& lowest,
                             Vector3& highest);

private:
    // Window rectangle of a box; false when part of it lies behind the eye.
    bool project(const Vector3& lowest, const Vector3& highest, GLint rect[4]) const;

    bool hasReceiver = false;
    Vector3 receiverLowest{0, 0, 0};
    Vector3 receiverHighest{0, 0, 0};
    float receiverFrame[16] = {};
    GLfloat eyeFromObject[16] = {};
    GLfloat projection[16] = {};
    GLint viewport[4] = {};
    bool receiverOnScreen = false;
    GLint receiverRect[4] = {};
};
