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
    // When the keys are read: whether the log is on (the keys act only then) and the show
    // time of the frame last drawn (where a flight starts).
    struct Moment {
        bool logOn = false;
        double showTime = 0;
    };

    CameraKeys(Camera& camera, CameraQuestions& questions, TransportRequests& requests,
               Moment moment)
        : target_{camera, questions, requests, moment.showTime}, logOn_(moment.logOn) {}

    // Acts on every bound key that is down, in table order, and consumes it.
    void handle(uint8_t keyTable[256]);

    // What an action works on.
    struct Target {
        Camera& camera;
        CameraQuestions& questions;
        TransportRequests& requests;
        double showTime;
    };

private:
    struct Binding {
        int key;
        void (*action)(Target& target);
    };
    static const Binding kBindings[];

    Target target_;
    bool logOn_;
};
