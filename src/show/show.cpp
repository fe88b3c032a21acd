#include "show/show.h"

#include <GL/gl.h>

#include "shell/log_window.h"

namespace {

constexpr double kTitleEnd = beats(24);       // opening capture and overlay, inclusive
constexpr double kGraffitiStart = beats(89);  // graffiti window, both bounds exclusive
constexpr double kGraffitiEnd = beats(162);
constexpr double kTowerStart = beats(197);  // tower window, both bounds exclusive
constexpr double kTowerEnd = beats(255);

}  // namespace

Show::Show() {
    musicPending = true;
    startTime = now();
}

void Show::reloadLists() {}

void Show::drawShow() {
    if (!updateClock()) {
        return;
    }
    const double t = time;
    if (kTowerStart < t && t < kTowerEnd) {
        drawTowerWindow(t);
    } else {
        drawNormal(t);
    }
}

void Show::drawTowerWindow(double t) {
    towerTimeline.draw(t);
    cameraTimeline.draw(t);
    infoTimeline.draw(t);
}

void Show::drawNormal(double t) {
    glPushMatrix();
    glLoadIdentity();
    glPushAttrib(GL_ALL_ATTRIB_BITS);

    if (t <= kTitleEnd) {
        glPushMatrix();
        glLoadIdentity();
        glPushAttrib(GL_ALL_ATTRIB_BITS);
        titleTimeline.draw(t);
        glPopAttrib();
        glPopMatrix();
    }
    cameraTimeline.draw(t);
    backTagTimeline.draw(t);
    nickTimeline.draw(t);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_CULL_FACE);
    lateScratchTimeline.draw(t);
    scratchTimeline.draw(t);
    frontTagTimeline.draw(t);
    qelvoTimeline.draw(t);

    if (kGraffitiStart < t && t < kGraffitiEnd) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
        graffitiTimeline.draw(t);
        frontTagTimeline.draw(t);
    }
    infoTimeline.draw(t);

    glPopAttrib();
    glPopMatrix();
}
