// The authors' keys for a camera, live only while the log is on: fly it freely, record its
// positions to a file, load a path to fly, tune the sprites' offsets, and raise the
// transport requests (reload, pause, seek). One table maps each key to its action.
#pragma once

#include <cstdint>

class Camera;

class CameraKeys {
public:
    explicit CameraKeys(Camera& camera) : camera_(camera) {}

    // Acts on every bound key that is down, in table order, and consumes it.
    void handle(uint8_t keyTable[256]);

private:
    struct Binding {
        int key;
        void (*action)(Camera& camera);
    };
    static const Binding kBindings[];

    Camera& camera_;
};
