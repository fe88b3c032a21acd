#include "camera/camera_keys.h"

#include <climits>
#include <cstdlib>
#include <string>

#include "base/frame_state.h"
#include "base/keys.h"
#include "base/log.h"
#include "camera/camera.h"
#include "camera/input_dialog.h"

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
bool askValue(Camera& c, const char* prompt) {
    bool given = InputDialog::ask(prompt, c.input);
    promptText = "Filename:";
    return given;
}

void toggleRecording(Camera& c) {
    if (c.recording) {
        c.closeRecording();
        c.recording = false;
    } else if (InputDialog::ask("Fil för att spara camera positioner:", c.input)) {
        c.recording = c.openRecording(c.input.c_str());
    }
}

void loadFlight(Camera& c) {
    if (InputDialog::ask("Fil för cameraflygning:", c.input)) {
        c.resetPath();
        c.loadPath(c.input.c_str());
    }
}

void toggleFlying(Camera& c) {
    c.flying = !c.flying;
    if (c.flying) {
        c.flightStart = showTime;
    }
}

void askMoveSpeed(Camera& c) {
    if (InputDialog::ask(nullptr, c.input)) {
        c.moveSpeed = static_cast<float>(integerValue(c.input) / 100.0);
    }
}

void askView(Camera& c) {
    if (InputDialog::ask(nullptr, c.input)) {
        c.parseView(c.input.c_str());
    }
}

void askTuneStep(Camera& c) {
    if (askValue(c, "Ny step för Camera x och y (värde/100):")) {
        c.tuneStep = integerValue(c.input) / 100.0;
    }
}

void askSeek(Camera& c) {
    if (askValue(c, "Ny tid i sek:")) {
        seekRequested = true;
        seekTarget = integerValue(c.input);
    }
}

}  // namespace

// In the order the handler looks at them.
const CameraKeys::Binding CameraKeys::kBindings[] = {
    {'A', [](Camera& c) { c.strafe(c.moveSpeed); }},
    {'D', [](Camera& c) { c.strafe(-c.moveSpeed); }},
    {'W', [](Camera& c) { c.moveForward(c.moveSpeed); }},
    {'S', [](Camera& c) { c.moveForward(-c.moveSpeed); }},
    {vk::kLeft, [](Camera& c) { c.turn(-c.turnSpeed); }},
    {vk::kRight, [](Camera& c) { c.turn(c.turnSpeed); }},
    {vk::kDown, [](Camera& c) { c.pitch(c.turnSpeed); }},
    {vk::kUp, [](Camera& c) { c.pitch(-c.turnSpeed); }},
    {'Z', [](Camera& c) { c.roll(-kRollStep); }},
    {'X', [](Camera& c) { c.roll(kRollStep); }},
    {'R', [](Camera& c) { c.rise(c.moveSpeed); }},
    {'F', [](Camera& c) { c.rise(-c.moveSpeed); }},
    {vk::kReturn, toggleRecording},
    {'L', loadFlight},
    {'0', toggleFlying},
    {'1', askMoveSpeed},
    {'9', askView},
    {kKeypad4, [](Camera& c) { c.tuneX += c.tuneStep; }},
    {kKeypad6, [](Camera& c) { c.tuneX -= c.tuneStep; }},
    {kKeypad8, [](Camera& c) { c.tuneY += c.tuneStep; }},
    {kKeypad2, [](Camera& c) { c.tuneY -= c.tuneStep; }},
    {vk::kF12, [](Camera&) { reloadRequested = true; }},
    {vk::kF8, [](Camera&) { pauseRequested = true; }},
    {kKeypad5, [](Camera& c) { logWindow->print("x: %f y: %f", c.tuneX, c.tuneY); }},
    {kKeypad1, askTuneStep},
    {vk::kF11, askSeek},
};

void CameraKeys::handle(uint8_t keyTable[256]) {
    if (!logEnabled || !keyTable) {
        return;
    }
    for (const Binding& binding : kBindings) {
        if (keyTable[binding.key]) {
            keyTable[binding.key] = 0;
            binding.action(camera_);
        }
    }
}
