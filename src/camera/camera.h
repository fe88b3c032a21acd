// The look-at camera of the 3D layers: flies stored Catmull-Rom paths (by fraction or by
// distance), and for the authors a free-flying camera steered by keys that records
// positions and tunes a few values through the questions of its keys (only while the log is on).
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "camera/camera_path.h"
#include "objects/vector3.h"
#include "objects/viewpoint.h"

class Camera : public Viewpoint {
public:
    static constexpr size_t kInputLimit = 1024;  // characters kept of a dialog answer

    Camera();
    ~Camera() override;
    Camera(const Camera&) = delete;
    Camera& operator=(const Camera&) = delete;

    // Once per frame: flight playback at show time `time`, look-at transform on the current
    // matrix, shake. Without a time, the current frame's.
    void apply(double time);
    void apply();
    // The flight playback part of apply: placement at a third of the show time since start.
    void updateFlight(double time);

    void setView(double ex, double ey, double ez, double tx, double ty, double tz, double ux,
                 double uy, double uz);
    // The look-at transform alone, without flight placement or shake.
    void lookAt() const override;
    Vector3 getEye() const override { return eye; }
    Vector3 getTarget() const { return target; }
    Vector3 getUp() const { return up; }
    void setWorldUpTurning(bool on) { worldUpTurning = on; }

    // False with no loaded path, the view unchanged.
    bool placeAtFraction(float f);
    // Walks the paths until the eye has moved at least flightStepLength.
    bool advance();
    // Appends the positions of a ".pos" file; true when it held at least four.
    bool loadPath(const char* path);
    // The same from bytes already in memory; `name` is used in the log lines.
    bool loadPathFromBytes(std::string_view bytes, const char* name);
    void resetPath();
    // The paths rewound and the view back where a new camera starts, so the walk from here
    // takes the very steps the first one took.
    void restartWalk();
    // Empties the three paths: every later walk step fails and the view stays where it is.
    void clearPaths();

    bool openRecording(const char* path);
    void recordPosition();
    void closeRecording();

    void startShake(int n);
    void shakeStep();

    void setInput(const std::string& text);
    void parseView(const char* text);

    void moveForward(float a);
    void strafe(float a);  // positive a moves left
    void rise(float a);
    void turn(float a);   // positive a turns right
    void pitch(float a);  // positive a looks down
    void roll(float a);

    CameraPath eyePath{0.005f};
    CameraPath targetPath{0.005f};
    CameraPath upPath{0.005f};
    FILE* recordFile = nullptr;
    std::string recordPath;  // the file recordFile writes, as it was named
    bool recording = false;
    float moveSpeed = 0.85f;
    float turnSpeed = 0.5f;
    static inline const Vector3 kStartEye{0, 0, -10};
    static inline const Vector3 kStartTarget{0, 0, 0};
    static inline const Vector3 kStartUp{0, 1, 0};
    Vector3 eye = kStartEye;
    Vector3 target = kStartTarget;
    Vector3 up = kStartUp;
    Vector3 savedEye{0, 0, 0};
    Vector3 savedTarget{0, 0, 0};
    Vector3 savedUp{0, 0, 0};
    int32_t shakeCount = 0;
    bool worldUpTurning = false;
    float flightStepLength = 0.03f;
    std::string input = "X";
    bool flying = false;
    // An author moved it by hand: the show's cuts leave its placement alone from then on.
    bool steered = false;
    bool pathLoaded = false;
    double flightStart = 0.0;
    double tuneStep = 1.0;
    double tuneX = 0.0;
    double tuneY = 0.0;

private:
    bool appendPositions(std::string_view bytes, const char* name);
};

// The current camera: it starts at the one created at start-up, and camera cuts re-point it.
extern Camera* camera;
