#include "shell/shell_keys.h"

#include "camera/camera.h"
#include "camera/camera_keys.h"
#include "shell/log_window.h"
#include "shell/session.h"
#include "show/show.h"

namespace {

constexpr int kKeyC = 0x43;
constexpr int kKeyH = 0x48;
constexpr int kKeyV = 0x56;

void logCameraPosition(const Camera& camera) {
    Vector3 e = camera.getEye();
    Vector3 t = camera.getTarget();
    Vector3 u = camera.getUp();
    logWindow->print("%.2f,%.2f,%.2f,%.2f,%.2f,%.2f,%.2f,%.2f,%.2f", e.x, e.y, e.z, t.x, t.y, t.z,
                     u.x, u.y, u.z);
}

}  // namespace

void handleShellKeys(Session& session) {
    if (keys[vk::kSpace]) {
        keys[vk::kSpace] = 0;
        session.frozen = !session.frozen;
    }
    // The keys steer the camera the show last looked through.
    Camera* camera = session.show ? session.show->camera() : nullptr;
    if (!camera) {
        return;
    }
    CameraKeys(*camera, session.questions, session.transport,
               {.logOn = logEnabled, .showTime = session.show->clock().time})
        .handle(keys);
    if (keys[kKeyH]) {
        camera->shakeStep();  // held: once more per pass
    }
    if (keys[kKeyC]) {
        keys[kKeyC] = 0;
        logCameraPosition(*camera);
        camera->recordPosition();
    }
    if (keys[kKeyV]) {
        keys[kKeyV] = 0;
        camera->resetPath();
    }
}
