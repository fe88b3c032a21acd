// The authors' keys for a camera, live only while the log is on: fly it freely, record its
// positions to a file, load a path to fly, tune the sprites' offsets, and raise the
// transport requests (reload, pause, seek). One table maps each key to its action; what a
// key asks, it asks through the questions it is given.
#pragma once

#include <cstdint>

class Camera;
class CameraQuestions;
struct TransportRequests;

class CameraKeys {
public:
    CameraKeys(Camera& camera, CameraQuestions& questions, TransportRequests& requests)
        : target_{camera, questions, requests} {}

    // Acts on every bound key that is down, in table order, and consumes it.
    void handle(uint8_t keyTable[256]);

    // What an action works on.
    struct Target {
        Camera& camera;
        CameraQuestions& questions;
        TransportRequests& requests;
    };

private:
    struct Binding {
        int key;
        void (*action)(Target& target);
    };
    static const Binding kBindings[];

    Target target_;
};
