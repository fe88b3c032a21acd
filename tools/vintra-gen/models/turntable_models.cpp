#include "vintra-gen/models/turntable_models.h"

#include <cmath>
#include <numbers>

#include "vintra-gen/models/solid_shapes.h"

namespace gen {
namespace {

// Heights in model units (0.01 scene units each).
constexpr float kPlinthBottom = 100.0f;
constexpr float kPlinthTop = 360.0f;
constexpr float kDeckTop = 390.0f;
constexpr float kPlatterTop = 470.0f;
constexpr float kRecordTop = 482.0f;

// The plinth around the spindle at the origin, the tone arm on the right.
constexpr float kLeft = -600.0f;
constexpr float kRight = 1000.0f;
constexpr float kFront = -640.0f;
constexpr float kBack = 607.0f;

const UvMap kSurface = boxProjection(400.0f);

Frame upright(float x, float y) {
    return Frame{{x, y, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
}

// A frame whose w axis points from `from` towards `to` (not vertical).
Frame along(const Pos& from, const Pos& to) {
    const Pos w = normalized(to - from);
    const Pos u = normalized(cross(Pos{0, 0, 1}, w));
    return Frame{from, u, cross(w, u), w};
}

}  // namespace

ModelBuilder TurntableModels::body() {
    ModelBuilder model("turnbody");
    for (float x : {kLeft + 150.0f, kRight - 150.0f}) {
        for (float y : {kFront + 150.0f, kBack - 150.0f}) {
            SolidShapes::frustum(model, upright(x, y), 80.0f, 95.0f, 0.0f, kPlinthBottom + 10.0f,
                                 16, 200.0f);
        }
    }
    SolidShapes::box(model, {kLeft, kFront, kPlinthBottom}, {kRight, kBack, kPlinthTop}, kSurface);
    // The deck: a bevelled top plate sunk a little into the plinth.
    const float bevel = 25.0f;
    const float below = kPlinthTop - 5.0f;
    SolidShapes::hexahedron(
        model,
        {Pos{kLeft, kFront, below}, Pos{kRight, kFront, below}, Pos{kRight, kBack, below},
         Pos{kLeft, kBack, below}},
        {Pos{kLeft + bevel, kFront + bevel, kDeckTop},
         Pos{kRight - bevel, kFront + bevel, kDeckTop},
         Pos{kRight - bevel, kBack - bevel, kDeckTop}, Pos{kLeft + bevel, kBack - bevel, kDeckTop}},
        kSurface);
    // The bearing collar the platter turns on.
    SolidShapes::frustum(model, upright(0, 0), 120.0f, 110.0f, kDeckTop - 5.0f, kDeckTop + 12.0f,
                         24, 200.0f);
    toneArm(model);
    controls(model);
    fit(model, false);
    return model;
}

void TurntableModels::toneArm(ModelBuilder& model) {
    const Pos pivot{760.0f, 330.0f, 0.0f};
    // Base plate, gimbal and the bearing post.
    SolidShapes::frustum(model, upright(pivot[0], pivot[1]), 130.0f, 120.0f, kDeckTop - 5.0f,
                         kDeckTop + 25.0f, 32, 200.0f);
    SolidShapes::frustum(model, upright(pivot[0], pivot[1]), 60.0f, 50.0f, kDeckTop + 20.0f, 560.0f,
                         20, 200.0f);
    // The arm reaches over the record to a groove about 390 units from the spindle.
    const Pos head{250.0f, -300.0f, 0.0f};
    const float armHeight = 540.0f;
    const Pos armStart{pivot[0], pivot[1], armHeight};
    const Pos armEnd{head[0], head[1], armHeight};
    const Frame arm = along(armStart, armEnd);
    const float length = std::sqrt(dot(armEnd - armStart, armEnd - armStart));
    SolidShapes::frustum(model, arm, 16.0f, 13.0f, -40.0f, length - 40.0f, 12, 200.0f);
    // Counterweight behind the pivot.
    SolidShapes::frustum(model, arm, 55.0f, 55.0f, -230.0f, -110.0f, 20, 200.0f);
    SolidShapes::frustum(model, arm, 20.0f, 20.0f, -120.0f, -30.0f, 12, 200.0f);
    // Headshell: a flat block at the arm's end, hanging down to just above the record.
    const Pos d = normalized(armEnd - armStart);
    const Pos side = normalized(cross(Pos{0, 0, 1}, d));
    auto corner = [&](float a, float b, float z) {
        const Pos p = armEnd + d * a + side * b;
        return Pos{p[0], p[1], z};
    };
    SolidShapes::hexahedron(
        model,
        {corner(-70, -40, kRecordTop + 25.0f), corner(70, -40, kRecordTop + 25.0f),
         corner(70, 40, kRecordTop + 25.0f), corner(-70, 40, kRecordTop + 25.0f)},
        {corner(-70, -40, armHeight + 8.0f), corner(70, -40, armHeight + 8.0f),
         corner(70, 40, armHeight + 8.0f), corner(-70, 40, armHeight + 8.0f)},
        kSurface);
    // Finger lift.
    SolidShapes::box(model, {armEnd[0] - 10.0f, armEnd[1] - 70.0f, armHeight - 5.0f},
                     {armEnd[0] + 10.0f, armEnd[1] - 20.0f, armHeight + 30.0f}, kSurface);
    // Arm rest.
    SolidShapes::frustum(model, upright(900.0f, -120.0f), 25.0f, 20.0f, kDeckTop - 5.0f, 525.0f, 12,
                         200.0f);
}

void TurntableModels::controls(ModelBuilder& model) {
    // Start/stop and the two speed buttons at the front left.
    SolidShapes::box(model, {-560.0f, -600.0f, kDeckTop - 5.0f},
                     {-380.0f, -500.0f, kDeckTop + 22.0f}, kSurface);
    SolidShapes::box(model, {-340.0f, -600.0f, kDeckTop - 5.0f},
                     {-260.0f, -540.0f, kDeckTop + 15.0f}, kSurface);
    SolidShapes::box(model, {-240.0f, -600.0f, kDeckTop - 5.0f},
                     {-160.0f, -540.0f, kDeckTop + 15.0f}, kSurface);
    // Pitch fader: a slot and its knob at the right edge.
    SolidShapes::box(model, {880.0f, -540.0f, kDeckTop - 5.0f}, {920.0f, -80.0f, kDeckTop + 4.0f},
                     kSurface);
    SolidShapes::box(model, {860.0f, -330.0f, kDeckTop - 5.0f}, {940.0f, -280.0f, kDeckTop + 35.0f},
                     kSurface);
    // Strobe light at the front left corner, and the power dial.
    SolidShapes::frustum(model, upright(-520.0f, -380.0f), 40.0f, 30.0f, kDeckTop - 5.0f,
                         kDeckTop + 60.0f, 16, 200.0f);
    SolidShapes::frustum(model, upright(-540.0f, 480.0f), 50.0f, 45.0f, kDeckTop - 5.0f,
                         kDeckTop + 30.0f, 16, 200.0f);
}

ModelBuilder TurntableModels::platter() {
    ModelBuilder model("turnunderdisc");
    const Frame centre = upright(0, 0);
    SolidShapes::frustum(model, centre, 570.0f, 586.0f, kDeckTop - 5.0f, kPlatterTop, 72, 200.0f);
    // Strobe dots on the rim: they show the platter turning.
    const int dots = 36;
    for (int i = 0; i < dots; ++i) {
        const double angle = 2.0 * std::numbers::pi * i / dots;
        const Pos out{static_cast<float>(std::cos(angle)), static_cast<float>(std::sin(angle)), 0};
        const Pos tangent{-out[1], out[0], 0};
        const Pos base = centre.at(0, 0, 0) + out * 565.0f;
        const Pos tip = out * 33.0f;
        auto corner = [&](const Pos& p, float t, float z) {
            const Pos q = p + tangent * t;
            return Pos{q[0], q[1], z};
        };
        const Pos outer = base + tip;
        SolidShapes::hexahedron(model,
                                {corner(base, -14, 415), corner(outer, -14, 415),
                                 corner(outer, 14, 415), corner(base, 14, 415)},
                                {corner(base, -14, 445), corner(outer, -14, 445),
                                 corner(outer, 14, 445), corner(base, 14, 445)},
                                kSurface);
    }
    // The spindle.
    SolidShapes::frustum(model, centre, 12.0f, 10.0f, kPlatterTop - 5.0f, kRecordTop + 35.0f, 12,
                         100.0f);
    fit(model, true);
    return model;
}

ModelBuilder TurntableModels::record() {
    ModelBuilder model("turndisc");
    const float r = 530.0f;
    // Top: the picture spans the record, its top row at the back (+y). The texture's u runs
    // against the model's x here, or the label reads mirrored from above.
    const UvMap label = [=](const Pos& p, const Pos& n) -> Uv {
        if (n[2] > 0.5f) {
            return {0.5f - p[0] / (2.0f * r), 0.5f - p[1] / (2.0f * r)};
        }
        return {0.5f, 0.03f};
    };
    SolidShapes::frustum(
        model, upright(0, 0), r, r, kPlatterTop - 2.0f, kRecordTop, 72,
        [](float, float) {
            return Uv{0.5f, 0.03f};
        },
        label);
    fit(model, true);
    return model;
}

void TurntableModels::fit(ModelBuilder& model, bool turning) {
    const Pos shift = turning ? Pos{kPlatterX, kPlatterY, 0} : Pos{0, 0, 0};
    model.transform([&](const Pos& p) { return p * kScale + shift; });
}

}  // namespace gen
