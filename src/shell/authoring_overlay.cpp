#include "shell/authoring_overlay.h"

#include <GL/gl.h>

#include <cmath>
#include <cstdio>

#include "platform/sound/sound.h"
#include "platform/window.h"
#include "shell/globals.h"
#include "show/beat_position.h"
#include "show/music.h"
#include "show/show_clock.h"
#include "show/world.h"
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

void AuthoringOverlay::toggle(platform::Window& window) {
    visible_ = !visible_;
    if (!visible_) {
        window.setTitle(restingTitle_);
    }
}

std::string AuthoringOverlay::line(const char* fpsText, double showTime) {
    const BeatPosition position = BeatPosition::at(showTime);
    char text[256];
    int length = std::snprintf(text, sizeof text, "%s Beat %d Bar %d:%d", fpsText ? fpsText : "",
                               position.beat, position.bar, position.beatInBar + 1);
    double distance = 0;
    if (length > 0 && static_cast<size_t>(length) < sizeof text) {
        if (musicDistance(showTime, distance)) {
            std::snprintf(text + length, sizeof text - length, " Sync %+.0f ms", distance);
        } else {
            std::snprintf(text + length, sizeof text - length, " Sync --");
        }
    }
    return text;
}

void AuthoringOverlay::draw(platform::Window& window) {
    if (!visible_) {
        return;
    }
    const std::string text = line(world ? world->fpsText : "", showTime);
    window.setTitle(text);
    if (::text) {
        ::text->printText(text.c_str());
    }
    drawBeatFlash(showTime);
}

// A square in the top right corner, lit on each beat and fading out; warmer on a bar's
// first beat.
void AuthoringOverlay::drawBeatFlash(double showTime) {
    const BeatPosition position = BeatPosition::at(showTime);
    if (position.sinceBeat >= kFlashSeconds) {
        return;
    }
    const float level = static_cast<float>(1.0 - position.sinceBeat / kFlashSeconds);
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_CULL_FACE);
    glDisable(GL_BLEND);
    if (position.beatInBar == 0) {
        glColor3f(level, 0.5f * level, 0.1f * level);
    } else {
        glColor3f(level, level, level);
    }
    glRectf(0.88f, 0.86f, 0.98f, 0.98f);
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glPopAttrib();
}
