// Authoring mode (--watch, or the "logga" marker): list files read again when saved, and
// the overlay on its key.
#pragma once

#include <memory>
#include <string>

#include "shell/authoring_overlay.h"
#include "shell/list_reloader.h"

namespace platform {
class Window;
}

class Authoring {
public:
    static constexpr int kOverlayKey = 0x78;  // F9

    Authoring(Show& show, std::string restingTitle);

    // Before the frame is drawn: reads the saved lists again.
    void beforeFrame();
    // After the frame is drawn: the overlay, its line written with `text`.
    void afterFrame(platform::Window& window, Text* text, const OverlayFrame& frame);
    void handleKeys(platform::Window& window);

    const AuthoringOverlay& overlay() const { return overlay_; }

private:
    ListReloader reloader_;
    AuthoringOverlay overlay_;
};
