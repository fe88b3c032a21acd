// The key table as the main loop fills it from window events. A key pressed and released
// between two idle passes (a quick tap, or synthetic input) must still be seen once: its
// release waits until an idle pass has run.
#pragma once

#include <cstdint>

class KeyLatch {
public:
    explicit KeyLatch(uint8_t (&keys)[256]) : keys_(keys) {}

    void keyDown(int key);
    void keyUp(int key);
    // After each pass of the loop: the releases that waited take effect.
    void idlePassDone();

private:
    uint8_t (&keys_)[256];
    bool pressedSinceIdle_[256] = {};
    bool releasePending_[256] = {};
};
