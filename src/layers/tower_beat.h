// The tower scene's beat counter: beats of its local time counted on the music's grid (a
// beat every 0.48 s from local time 0), and a burst on every fourth counted beat. A frame
// counts at most one beat, however far time jumped: the first frame of the scene and a
// seek count one, never a catch-up run.
#pragma once

#include <cstdint>

class TowerBeat {
public:
    static constexpr double kNoBurst = -1000;

    // The frame at local time t: counts a beat when one is due; true when a burst starts.
    bool advance(double t);

    // Seconds from the last burst to t; never negative once t has been counted.
    double sinceBurst(double t) const { return t - burstTime; }

    int32_t beatCount = 0;
    double lastBeat = 0;  // the grid time of the last counted beat
    double burstTime = kNoBurst;
    bool burstArmed = false;  // after a burst, until the count reaches the next multiple of 4
    int32_t burstCount = 0;

private:
    void count(double t);
};
