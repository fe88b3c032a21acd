// The production itself: builds every layer of the show at start-up and paints the whole
// frame each frame, drawing its timelines in a fixed order around the scene capture.
#pragma once

#include "show/show_clock.h"
#include "show/timeline.h"

// Show times of the schedule: whole beats of 0.48 s, as computed in double precision.
constexpr double beats(int n) { return n * 0.48; }

class Show : public ShowClock {
public:
    Show();

    // Updates the clock and draws everything for the current show time.
    void drawShow();

    Timeline infoTimeline;
    Timeline cameraTimeline;
    Timeline backTagTimeline;
    Timeline frontTagTimeline;
    Timeline titleTimeline;
    Timeline nickTimeline;
    Timeline towerTimeline;
    Timeline graffitiTimeline;
    Timeline scratchTimeline;
    Timeline lateScratchTimeline;
    Timeline qelvoTimeline;

protected:
    void reloadLists() override;

private:
    void drawTowerWindow(double t);
    void drawNormal(double t);
};
