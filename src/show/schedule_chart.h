// `tarvel --schedule --svg`: the schedule drawn as one wide SVG. A lane per timeline in the
// frame's order, each entry a bar labelled with its picture, position file or layer,
// flashes as their envelopes, camera cuts as marks across the lanes, the beat and bar grid
// with the seconds, the sections named, and the music's loudness along the bottom.
#pragma once

#include <string>
#include <vector>

#include "show/loudness.h"
#include "show/schedule.h"

class ScheduleChart {
public:
    ScheduleChart(const Schedule& schedule, const Loudness& loudness);

    // The whole picture; every entry of the schedule is one element of class "entry".
    std::string svg() const;

private:
    // A bar placed in a lane: overlapping entries of a lane take rows of their own, the
    // stretches of one entry share one, labelled once.
    struct Placed {
        const Schedule::Row* row;
        int lane;
        int level;  // row within the lane, from 0
        bool labelled;
    };
    struct Lane {
        std::string name;
        int levels = 1;
        double top = 0;
    };

    void placeEntries();
    double x(double showTime) const;
    double width() const;
    double height() const;

    std::string grid() const;
    std::string sections() const;
    std::string lanes() const;
    std::string entry(const Placed& placed) const;
    std::string labels() const;
    std::string cutMarks() const;
    std::string loudnessCurve() const;

    const Schedule& schedule_;
    const Loudness& loudness_;
    std::vector<Lane> lanes_;
    std::vector<Placed> placed_;
    double lanesBottom_ = 0;
    double to_ = 0;  // the latest show time drawn
};
