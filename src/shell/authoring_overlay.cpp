#include "shell/authoring_overlay.h"

#include "render/gl/gl.h"

#include <cmath>
#include <cstdio>

#include "base/beat_position.h"
#include "platform/sound/sound.h"
#include "platform/window.h"
#include "render/gl_state.h"
#include "show/music.h"
#include "text/text.h"

namespace {

constexpr double kFlashSeconds = 0.15;  // how long the corner stays lit after a beat

// Heard music minus show time, in milliseconds; false before the music plays.
bool musicDistance(double showTime, double& milliseconds) {
    if (!music || !music->stream || !music->playing || showTime < 0) {
        return false;
    }
    milliseconds = (platform::sound::audibleSeconds(music->stream) - showTime) * 1000.0;
    return std::isfinite(milliseconds);
}

}  // namespace

void AuthoringOverlay::toggle(platform::Window* window) {
    visible_ = !visible_;
    if (!visible_ && window) {
        window->setTitle(restingTitle_);
    }
}

std::string AuthoringOverlay::line(const char* fpsText, double showTime) {
    const BeatPosition position = BeatPosition::at(showTime);
    char buffer[256];
    int length = std::snprintf(buffer, sizeof buffer, "%s Beat %d Bar %s", fpsText ? fpsText : "",
                               position.beat, position.barText().c_str());
    double distance = 0;
    if (length > 0 && static_cast<size_t>(length) < sizeof buffer) {
        if (musicDistance(showTime, distance)) {
            std::snprintf(buffer + length, sizeof buffer - length, " Sync %+.0f ms", distance);
        } else {
            std::snprintf(buffer + length, sizeof buffer - length, " Sync --");
        }
    }
    return buffer;
}

void AuthoringOverlay::draw(platform::Window* window, Text* text, const OverlayFrame& frame) {
    if (!visible_) {
        return;
    }
    const double showTime = frame.showTime;
    const std::string line = AuthoringOverlay::line(frame.fpsText, showTime);
    if (window) {
        window->setTitle(line);
    }
    AttributeScope attributes;
    MatrixScope projection(GL_PROJECTION);
    glLoadIdentity();
    // Eye depth -1, where the text object draws, lies inside this box.
    glOrtho(-1, 1, -1, 1, -2, 2);
    ModelviewScope modelview;
    glLoadIdentity();
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_CULL_FACE);
    drawBand();
    drawBeatFlash(showTime);
    if (text) {
        // The text object draws 0.55 left of and 0.39 above its position; this puts the
        // line in the top left corner, and the position goes back to the one start-up set.
        text->setPictureHeight(frame.pictureHeight);
        text->setPosition(-0.43, 0.53);
        text->printText(line.c_str());
        text->setPosition(0, 0);
    }
}

// Darkens the strip under the line, so it reads over a bright frame.
void AuthoringOverlay::drawBand() {
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4f(0, 0, 0, 0.6f);
    glRectf(-1.0f, 0.9f, 0.86f, 1.0f);
    glDisable(GL_BLEND);
}

// A square in the top right corner, lit on each beat and fading out; warmer on a bar's
// first beat.
void AuthoringOverlay::drawBeatFlash(double showTime) {
    const BeatPosition position = BeatPosition::at(showTime);
    if (position.sinceBeat >= kFlashSeconds) {
        return;
    }
    const float level = static_cast<float>(1.0 - position.sinceBeat / kFlashSeconds);
    if (position.beatInBar == 1) {
        glColor3f(level, 0.5f * level, 0.1f * level);
    } else {
        glColor3f(level, level, level);
    }
    glRectf(0.88f, 0.86f, 0.98f, 0.98f);
}
