#include "camera/camera_keys.h"

#include <climits>
#include <cstdlib>
#include <string>

#include "base/keys.h"
#include "base/log.h"
#include "camera/camera.h"
#include "camera/camera_questions.h"
#include "camera/transport_requests.h"

namespace {

constexpr int kKeypad1 = 0x61, kKeypad2 = 0x62, kKeypad4 = 0x64, kKeypad5 = 0x65, kKeypad6 = 0x66,
              kKeypad8 = 0x68;
constexpr float kRollStep = 0.01f;

// The leading decimal integer of a text (blanks, optional sign, digits), 0 if none;
// clamped to the int range instead of overflowing.
int integerValue(const std::string& text) {
    long value = std::strtol(text.c_str(), nullptr, 10);
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

// An answer to the prompt, or false; the prompt goes back to "Filename:" afterwards, as
// the file questions expect it.
bool askValue(CameraKeys::Target& t, const char* prompt) {
    bool given = t.questions.ask(prompt, t.camera.input);
    t.questions.keepPrompt("Filename:");
    return given;
}

void toggleRecording(CameraKeys::Target& t) {
    Camera& c = t.camera;
    if (c.recording) {
        c.closeRecording();
        c.recording = false;
    } else if (t.questions.ask("Fil för att spara camera positioner:", c.input)) {
        c.recording = c.openRecording(c.input.c_str());
    }
}

void loadFlight(CameraKeys::Target& t) {
    Camera& c = t.camera;
    if (t.questions.ask("Fil för cameraflygning:", c.input)) {
        c.resetPath();
        c.loadPath(c.input.c_str());
    }
}

// A flight needs a path: without one the key asks for a file, and a flight that still has
// none is called off.
void toggleFlying(CameraKeys::Target& t) {
    Camera& c = t.camera;
    c.flying = !c.flying;
    if (!c.flying) {
        return;
    }
    c.flightStart = t.showTime;
    if (!c.pathLoaded) {
        t.questions.tell("No loaded file!");
        loadFlight(t);
        c.flying = c.pathLoaded;
    }
}

void askMoveSpeed(CameraKeys::Target& t) {
    Camera& c = t.camera;
    if (t.questions.ask(nullptr, c.input)) {
        c.moveSpeed = static_cast<float>(integerValue(c.input) / 100.0);
    }
}

void askView(CameraKeys::Target& t) {
    Camera& c = t.camera;
    if (t.questions.ask(nullptr, c.input)) {
        c.parseView(c.input.c_str());
    }
}

void askTuneStep(CameraKeys::Target& t) {
    Camera& c = t.camera;
    if (askValue(t, "Ny step för Camera x och y (värde/100):")) {
        c.tuneStep = integerValue(c.input) / 100.0;
    }
}

void askSeek(CameraKeys::Target& t) {
    if (askValue(t, "Ny tid i sek:")) {
        t.requests.seek = true;
        t.requests.seekTarget = integerValue(t.camera.input);
    }
}

}  // namespace

// In the order the handler looks at them.
const CameraKeys::Binding CameraKeys::kBindings[] = {
    {'A', [](Target& t) { t.camera.strafe(t.camera.moveSpeed); }},
    {'D', [](Target& t) { t.camera.strafe(-t.camera.moveSpeed); }},
    {'W', [](Target& t) { t.camera.moveForward(t.camera.moveSpeed); }},
    {'S', [](Target& t) { t.camera.moveForward(-t.camera.moveSpeed); }},
    {vk::kLeft, [](Target& t) { t.camera.turn(-t.camera.turnSpeed); }},
    {vk::kRight, [](Target& t) { t.camera.turn(t.camera.turnSpeed); }},
    {vk::kDown, [](Target& t) { t.camera.pitch(t.camera.turnSpeed); }},
    {vk::kUp, [](Target& t) { t.camera.pitch(-t.camera.turnSpeed); }},
    {'Z', [](Target& t) { t.camera.roll(-kRollStep); }},
    {'X', [](Target& t) { t.camera.roll(kRollStep); }},
    {'R', [](Target& t) { t.camera.rise(t.camera.moveSpeed); }},
    {'F', [](Target& t) { t.camera.rise(-t.camera.moveSpeed); }},
    {vk::kReturn, toggleRecording},
    {'L', loadFlight},
    {'0', toggleFlying},
    {'1', askMoveSpeed},
    {'9', askView},
    {kKeypad4, [](Target& t) { t.camera.tuneX += t.camera.tuneStep; }},
    {kKeypad6, [](Target& t) { t.camera.tuneX -= t.camera.tuneStep; }},
    {kKeypad8, [](Target& t) { t.camera.tuneY += t.camera.tuneStep; }},
    {kKeypad2, [](Target& t) { t.camera.tuneY -= t.camera.tuneStep; }},
    {vk::kF12, [](Target& t) { t.requests.reload = true; }},
    {vk::kF8, [](Target& t) { t.requests.pause = true; }},
    {kKeypad5, [](Target& t) { logWindow->print("x: %f y: %f", t.camera.tuneX, t.camera.tuneY); }},
    {kKeypad1, askTuneStep},
    {vk::kF11, askSeek},
};

void CameraKeys::handle(uint8_t keyTable[256]) {
    if (!logOn_ || !keyTable) {
        return;
    }
    for (const Binding& binding : kBindings) {
        if (keyTable[binding.key]) {
            keyTable[binding.key] = 0;
            binding.action(target_);
        }
    }
}
