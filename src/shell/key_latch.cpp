#include "shell/key_latch.h"

void KeyLatch::keyDown(int key) {
    keys_[key] = 1;
    pressedSinceIdle_[key] = true;
    releasePending_[key] = false;
}

void KeyLatch::keyUp(int key) {
    if (pressedSinceIdle_[key]) {
        releasePending_[key] = true;
    } else {
        keys_[key] = 0;
    }
}

void KeyLatch::idlePassDone() {
    for (int key = 0; key < 256; ++key) {
        if (releasePending_[key]) {
            keys_[key] = 0;
            releasePending_[key] = false;
        }
        pressedSinceIdle_[key] = false;
    }
}
