// Camera flights (.pos files) for the cuts, the path the tower's light travels, and the cut
// list. The world stands on the z axis (the models are built z-up, as the turntable's own
// view shows): cameras keep z as their up direction.
#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "base/data_file.h"
#include "lists/camera_row.h"
#include "vintra-gen/lists/camera_path_writer.h"
#include "vintra-gen/lists/list_writer.h"
#include "vintra-gen/models/text_layouts.h"
#include "vintra-gen/producers.h"
#include "vintra-gen/show_beats.h"

namespace gen {

namespace {

constexpr double kPi = 3.14159265358979;
constexpr double kDegrees = kPi / 180.0;

Vec3 operator+(Vec3 a, Vec3 b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
Vec3 operator-(Vec3 a, Vec3 b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
Vec3 operator*(Vec3 a, double s) {
    return {a.x * s, a.y * s, a.z * s};
}
double dot(Vec3 a, Vec3 b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
Vec3 normalised(Vec3 a) {
    double length = std::sqrt(dot(a, a));
    return length > 0.0 ? a * (1.0 / length) : Vec3{0, 0, 1};
}
Vec3 lerp(Vec3 a, Vec3 b, double t) {
    return a + (b - a) * t;
}
double lerp(double a, double b, double t) {
    return a + (b - a) * t;
}
// Eases in and out so a flight starts and stops gently.
double ease(double t) {
    return t * t * (3.0 - 2.0 * t);
}

struct Pose {
    Vec3 eye;
    Vec3 target;
};

// World z made perpendicular to the view, so the horizon stays level.
Vec3 upFor(const Pose& pose) {
    Vec3 view = normalised(pose.target - pose.eye);
    Vec3 z{0, 0, 1};
    return normalised(z - view * dot(z, view));
}

// Positions for a flight over u in [0, 1]: the reader's path runs from the second stored
// position to the third from last, so one position is added before and two after.
std::string flight(const std::function<Pose(double)>& at, int steps) {
    CameraPathWriter writer;
    for (int i = 0; i < steps + 3; ++i) {
        double u = static_cast<double>(i - 1) / (steps - 1);
        Pose pose = at(std::clamp(u, -0.2, 1.2));
        writer.add(pose.eye, pose.target, upFor(pose));
    }
    return writer.text();
}

// A point seen from `focus` at an azimuth and elevation (degrees) and a distance.
Vec3 around(Vec3 focus, double azimuth, double elevation, double distance) {
    double a = azimuth * kDegrees;
    double e = elevation * kDegrees;
    return focus +
           Vec3{std::cos(a) * std::cos(e), std::sin(a) * std::cos(e), std::sin(e)} * distance;
}

struct Orbit {
    Vec3 focus;
    double azimuth0, azimuth1;
    double elevation0, elevation1;
    double distance0, distance1;
    // The aim moved from the focus towards the eye (along the ground): the focus rides that
    // much higher in the frame.
    double lift = 0.0;
};

std::string orbit(const Orbit& o) {
    return flight(
        [o](double u) {
            double t = ease(std::clamp(u, 0.0, 1.0)) + (u - std::clamp(u, 0.0, 1.0));
            const double azimuth = lerp(o.azimuth0, o.azimuth1, t) * kDegrees;
            const Vec3 toEye{std::cos(azimuth), std::sin(azimuth), 0};
            return Pose{
                around(o.focus, lerp(o.azimuth0, o.azimuth1, t),
                       lerp(o.elevation0, o.elevation1, t), lerp(o.distance0, o.distance1, t)),
                o.focus + toEye * o.lift};
        },
        8);
}

// The turntable's own view, and where its line of sight meets the ground: the record.
const Vec3 kTurntableEye{7.72, -17.64, 19.03};
const Vec3 kTurntableTarget{4.71, -10.63, 10.21};
Vec3 turntableFocus() {
    Vec3 d = kTurntableTarget - kTurntableEye;
    return kTurntableEye + d * (-kTurntableEye.z / d.z);
}

// The tower's light: a spiral up and around the tower just outside the credit signs, so
// the signs throw their shadows onto the tower and the light's pool sweeps its walls. Walked
// at 0.03 units a step, 60 steps a second, it lasts about the tower window.
std::string lightSpiral() {
    CameraPathWriter writer;
    const int perTurn = 24;
    const double turns = 2.75;
    const int points = static_cast<int>(perTurn * turns) + 3;
    for (int i = 0; i < points; ++i) {
        double t = static_cast<double>(i) / (points - 1);
        double a = 2.0 * kPi * turns * t - kPi * 0.5;
        double radius = 3.4 - 0.5 * t;
        Vec3 eye{std::cos(a) * radius, std::sin(a) * radius, 0.8 + 7.2 * t};
        writer.add(eye, {0, 0, 4}, {0, 0, 1});
    }
    return writer.text();
}

}  // namespace

void produceCameras(OutputDirectory& out) {
    const Vec3 tt = turntableFocus();
    const Vec3 eyeOffset = kTurntableEye - tt;
    const double ttAzimuth = std::atan2(eyeOffset.y, eyeOffset.x) / kDegrees;
    const double ttDistance = std::sqrt(dot(eyeOffset, eyeOffset));
    const double ttElevation = std::asin(eyeOffset.z / ttDistance) / kDegrees;
    // The tower's cameras stay on the side its credit signs face.
    const double kSigns = TextLayouts::kSignBearing;
    const Vec3 origin{0, 0, 0};

    struct Cut {
        std::string file;
        std::string path;
        double start;
        double end;
        double move;
        const char* why;
    };
    const std::vector<Cut> cuts = {
        {"turn_a.pos",
         flight(
             [&](double u) {
                 double t = ease(std::clamp(u, 0.0, 1.0));
                 return Pose{lerp(kTurntableEye, tt, -0.35 - 0.1 * t),
                             lerp(kTurntableTarget, tt, -0.35 - 0.1 * t)};
             },
             6),
         -8, 16, 24, "Opening: the turntable's own view, stepped back so all of it shows."},
        {"turn_b.pos",
         orbit({tt, ttAzimuth, ttAzimuth + 28, ttElevation, ttElevation - 6, ttDistance * 1.45,
                ttDistance * 1.4}),
         16, 32, 16, ""},
        {"turn_c.pos",
         orbit({tt, ttAzimuth - 30, ttAzimuth - 10, 32, 40, ttDistance * 1.2, ttDistance * 1.3}),
         32, 56, 24, ""},
        {"turn_d.pos",
         orbit({tt, ttAzimuth + 10, ttAzimuth - 15, ttElevation + 12, ttElevation, ttDistance * 2.4,
                ttDistance * 2.1, ttDistance * 0.62}),
         56, 89, 33,
         "From the first drop until the graffiti takes over, the turntable high in the frame, "
         "clear of the dancer."},
        {"spin_a.pos", orbit({origin, 0, 60, 18, 24, 10, 9}), 158, 197, 39,
         "The morphing model after the graffiti."},
        {"tower_a.pos", orbit({{0, 0, 3}, kSigns - 30, kSigns - 12, 4, 10, 17, 15}), 197, 212, 15,
         "Tower window: from the side the credits face, one band of them a cut, rising with "
         "the light, then back to the whole tower."},
        {"tower_b.pos", orbit({{0, 0, 5}, kSigns + 30, kSigns + 12, -10, -3, 16, 17}), 212, 228, 16,
         ""},
        {"tower_c.pos", orbit({{0, 0, 7}, kSigns - 24, kSigns + 4, 8, 16, 17, 16}), 228, 242, 14,
         ""},
        {"tower_d.pos", orbit({{0, 0, 6}, kSigns + 22, kSigns + 2, 16, 20, 16, 24}), 242, 256, 14,
         ""},
        {"spin_b.pos", orbit({origin, 90, 125, 12, 20, 6, 9}), 256, 290, 34,
         "The morphing model to the end."},
        {"spin_c.pos", orbit({origin, 180, 260, 60, 45, 10, 9}), 290, 322, 32, ""},
        {"spin_d.pos", orbit({origin, 270, 330, 6, 10, 9, 8}), 322, 354, 32, ""},
        {"spin_e.pos", orbit({origin, 20, 50, 20, 30, 8, 14}), 354, 390, 36, ""},
    };
    ListWriter<CameraRow> list;
    list.comment("Camera cuts: position file, start, end, move time, beats.");
    for (const Cut& cut : cuts) {
        out.write(data::inDataSet(data::kCameraList.directory) + cut.file, cut.path);
        if (cut.why[0] != '\0') {
            list.comment(cut.why);
        }
        list.add({.file = cut.file, .start = cut.start, .end = cut.end, .moveTime = cut.move});
    }
    out.write(data::inDataSet(data::kCameraList.path), list.text());
    out.write(data::kTowerLightPath.inDataSet(), lightSpiral());
}

}  // namespace gen
