#include "shell/authoring.h"

#include "base/keys.h"

Authoring::Authoring(Show& show, std::string restingTitle)
    : reloader_(show), overlay_(std::move(restingTitle)) {}

void Authoring::beforeFrame() {
    reloader_.poll();
}

void Authoring::afterFrame(platform::Window& window, Text* text, const OverlayFrame& frame) {
    overlay_.draw(&window, text, frame);
}

void Authoring::handleKeys(platform::Window& window) {
    if (keys[kOverlayKey]) {
        keys[kOverlayKey] = 0;
        overlay_.toggle(&window);
    }
}
