// Authoring: a line over the picture and in the window title with the frame rate, show
// time, beat and bar, and how far the heard music is from show time; plus a flash in the
// top right corner on every beat. Off until toggled.
#pragma once

#include <string>

class Text;

namespace platform {
class Window;
}

// What the overlay shows of the frame just drawn.
struct OverlayFrame {
    double showTime = 0;
    const char* fpsText = "";  // the frame-rate line
    int pictureHeight = 600;   // the line's glyphs are sized for it
};

class AuthoringOverlay {
public:
    // `restingTitle` is the window title to go back to when the overlay is hidden.
    explicit AuthoringOverlay(std::string restingTitle) : restingTitle_(std::move(restingTitle)) {}

    void toggle(platform::Window* window);
    bool visible() const { return visible_; }
    // Draws over the finished frame, its line in `text` (if given), and sets the window's
    // title (if one is given); nothing while hidden.
    void draw(platform::Window* window, Text* text, const OverlayFrame& frame);

    // The overlay's line for a frame-rate line and a show time.
    static std::string line(const char* fpsText, double showTime);

private:
    static void drawBand();
    static void drawBeatFlash(double showTime);

    std::string restingTitle_;
    bool visible_ = false;
};
