// The tower scene's beat: beats of its local time counted on the music's grid (a beat every
// 0.48 s) from the scene's origin, whose own beat counts first, and a burst on the third
// counted beat and every fourth after it. Everything is a function of the time asked about.
#pragma once

#include <cstdint>

class TowerBeat {
public:
    static constexpr double kNoBurst = -1000;

    // The scene's first frame; its beat is the grid's at or before it.
    void setOrigin(double t);

    // Beats counted by local time t (0 before the origin).
    int32_t countAt(double t) const;
    // Bursts by t, and the grid time of the latest (kNoBurst before the first).
    int32_t burstsAt(double t) const;
    double burstAt(double t) const;

private:
    double firstBeat_ = 0;
};
