#include "camera/camera.h"

#include "render/gl/gl.h"

#include <climits>
#include <cmath>
#include <cstdlib>

#include "base/data_problem.h"
#include "base/frame_state.h"
#include "base/log.h"
#include "base/random.h"
#include "lists/position_row.h"
#include "platform/path.h"
#include "platform/process.h"
#include "platform/written_file.h"

Camera* camera = nullptr;

namespace {

constexpr double kFlightSeconds = 3.0;  // show seconds a flight takes over the whole path
constexpr double kPi = 3.14;            // the show's value in the world-up turn
constexpr double kPeekParameter = 0.4;  // curve parameter the walk keeps ahead of itself
constexpr double kShakeScale = 0.001;   // jitter per random unit
constexpr double kShakeUpScale = 0.1;   // the up vector jitters a tenth as much

Vector3 toVector(const PositionRow::Point& p) {
    return Vector3(p.x, p.y, p.z);
}

PositionRow toRow(const Vector3& eye, const Vector3& target, const Vector3& up) {
    return {{eye.x, eye.y, eye.z}, {target.x, target.y, target.z}, {up.x, up.y, up.z}};
}

Vector3 randomJitter() {
    int r1 = nextRandom() % 100;
    int r2 = nextRandom() % 100;
    int r3 = nextRandom() % 100;
    return Vector3(r1, r2, r3);
}

}  // namespace

Camera::Camera() {
    logWindow->printBanner("Camera Object.");
}

Camera::~Camera() {
    if (recordFile) {
        std::fclose(recordFile);
    }
}

void Camera::apply() {
    apply(showTime);
}

void Camera::apply(double time) {
    updateFlight(time);
    lookAt();
    shakeStep();
}

void Camera::lookAt() const {
    gluLookAt(eye.x, eye.y, eye.z, target.x, target.y, target.z, up.x, up.y, up.z);
}

void Camera::updateFlight(double time) {
    if (!flying) {
        return;
    }
    placeAtFraction(static_cast<float>((time - flightStart) * (1.0 / kFlightSeconds)));
    // A flight whose path went away is called off.
    if (!pathLoaded) {
        flying = false;
    }
}

void Camera::setView(double ex, double ey, double ez, double tx, double ty, double tz, double ux,
                     double uy, double uz) {
    eye.set(ex, ey, ez);
    target.set(tx, ty, tz);
    up = Vector3(ux, uy, uz).normalised();
}

bool Camera::placeAtFraction(float f) {
    if (pathLoaded) {
        eye = eyePath.atFraction(f);
        target = targetPath.atFraction(f);
        up = upPath.atFraction(f);
        return true;
    }
    return false;
}

bool Camera::advance() {
    if (eyePath.points.size() < 4 || !(eyePath.step > 0.0f)) {
        return false;
    }
    double ahead = kPeekParameter / eyePath.step;
    int n = ahead < INT_MAX ? static_cast<int>(ahead) : INT_MAX;
    double travelled = 0.0;
    do {
        Vector3 e = eyePath.current();
        Vector3 g = targetPath.current();
        Vector3 u = upPath.current();
        Vector3 unused;
        if (!eyePath.peek(n, unused)) {
            return false;
        }
        eyePath.stepOnce();
        targetPath.stepOnce();
        upPath.stepOnce();
        travelled += (e - eye).length();
        eye = e;
        target = g;
        up = u;
    } while (!(travelled >= flightStepLength));
    return true;
}

bool Camera::loadPath(const char* path) {
    if (!path) {
        return false;
    }
    logWindow->print("Loading camera pos from file: %s", path);
    std::string bytes;
    if (!platform::readFile(path, bytes)) {
        logWindow->print("File Not Found : %s\n", path);
        DataProblem::tellMissingOr(path, "cannot be read");
        return false;
    }
    return appendPositions(bytes, path);
}

bool Camera::loadPathFromBytes(std::string_view bytes, const char* name) {
    logWindow->print("Loading camera pos from file: %s", name);
    return appendPositions(bytes, name);
}

bool Camera::appendPositions(std::string_view bytes, const char* name) {
    std::vector<PositionRow> positions = PositionRow::parse(bytes);
    for (const PositionRow& p : positions) {
        eyePath.addPoint(toVector(p.eye));
        targetPath.addPoint(toVector(p.target));
        upPath.addPoint(toVector(p.up));
    }
    if (positions.size() >= 4) {
        pathLoaded = true;
        return true;
    }
    logWindow->print("File not correct! %s\n", name);
    DataProblem::tell(name, std::to_string(positions.size()) +
                                (positions.size() == 1 ? " position" : " positions") +
                                ", a camera path needs at least 4");
    return false;
}

void Camera::resetPath() {
    eyePath.rewind();
    targetPath.rewind();
    upPath.rewind();
}

void Camera::restartWalk() {
    resetPath();
    eye = kStartEye;
    target = kStartTarget;
    up = kStartUp;
}

void Camera::clearPaths() {
    for (CameraPath* path : {&eyePath, &targetPath, &upPath}) {
        path->points.clear();
        path->rewind();
    }
    pathLoaded = false;
}

bool Camera::openRecording(const char* path) {
    if (!path) {
        return false;
    }
    logWindow->print("Writing camera pos from file: %s", path);
    logWindow->alert("Writing camera positions to %s", path);
    if (recordFile) {  // never leak a file left open by an earlier recording
        std::fclose(recordFile);
    }
    recordFile = platform::openFile(path, "w");
    if (!recordFile) {
        logWindow->print("File Not Found : %s\n", path);
        return false;
    }
    recordPath = path;
    platform::offerWrittenFile(recordPath, false);
    return true;
}

void Camera::recordPosition() {
    if (!recordFile) {
        return;
    }
    std::fprintf(recordFile, "%s\n", toRow(eye, target, up).write().c_str());
    // Each position must survive an immediate exit (Escape ends the process at once).
    std::fflush(recordFile);
    platform::offerWrittenFile(recordPath, false);
}

void Camera::closeRecording() {
    logWindow->print("closing file");
    if (recordFile) {
        std::fclose(recordFile);
        recordFile = nullptr;
        platform::offerWrittenFile(recordPath, true);
    }
}

void Camera::startShake(int n) {
    shakeCount = n;
    savedEye = eye;
    savedTarget = target;
    savedUp = up;
}

void Camera::shakeStep() {
    if (shakeCount > 1) {
        eye += randomJitter() * kShakeScale;
        target += randomJitter() * kShakeScale;
        up += randomJitter() * kShakeScale * kShakeUpScale;
    } else if (shakeCount == 1) {
        eye = savedEye;
        target = savedTarget;
        up = savedUp;
    }
    if (shakeCount > INT32_MIN) {
        shakeCount -= 1;
    }
}

void Camera::setInput(const std::string& text) {
    input = text.substr(0, kInputLimit);
}

void Camera::parseView(const char* text) {
    if (!text) {
        return;
    }
    float v[9];
    if (std::sscanf(text, "%f %f %f %f %f %f %f %f %f", &v[0], &v[1], &v[2], &v[3], &v[4], &v[5],
                    &v[6], &v[7], &v[8]) == 9) {
        steered = true;
        eye.set(v[0], v[1], v[2]);
        target.set(v[3], v[4], v[5]);
        up.set(v[6], v[7], v[8]);
    }
}

void Camera::moveForward(float a) {
    steered = true;
    Vector3 v = (target - eye).normalised() * a;
    eye += v;
    target += v;
}

void Camera::strafe(float a) {
    steered = true;
    Vector3 v = up.cross(target - eye).normalised() * a;
    eye += v;
    target += v;
}

void Camera::rise(float a) {
    steered = true;
    eye += up * a;
    target += up * a;
}

void Camera::turn(float a) {
    steered = true;
    Vector3 d = target - eye;
    if (!worldUpTurning) {
        target += d.normalised().cross(up).normalised() * a;
        return;
    }
    double theta = 4.0 * a * kPi / 180.0;
    Vector3 rotated(std::cos(theta) * d.x - std::sin(theta) * d.z, d.y,
                    std::sin(theta) * d.x + std::cos(theta) * d.z);
    target = eye + rotated;
    up.set(0, 1, 0);
}

void Camera::pitch(float a) {
    steered = true;
    Vector3 r = (target - eye).normalised();
    Vector3 s = up.cross(r).cross(r).normalised();
    target += s * a;
    up = (a > 0 ? up - s * a : up + s * a).normalised();
}

void Camera::roll(float a) {
    steered = true;
    up += (target - eye).normalised().cross(up).normalised() * a;
}
