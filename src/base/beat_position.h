// Where a show time falls in the music's beats (0.48 s) and bars (four beats). The one count
// of the show: the F9 overlay, the schedule, its chart and the data set's page all use it,
// so a moment has the same bar everywhere. Beats are counted from show time 0 as the list
// files count them (a row written at beat n starts on beat n); bars are counted from 1 as
// musicians count them, the beat within a bar from 1 to 4: beat 0 is bar 1:1, beat 64
// (30.72 s) bar 17:1, and the lead-in's beats fall in bars 0, -1 and -2.
#pragma once

#include <string>

#include "base/beat.h"

struct BeatPosition {
    static constexpr int kBeatsPerBar = 4;

    int beat = 0;          // beats since show time 0; negative in the lead-in
    int bar = 1;           // from 1; 0 and below in the lead-in
    int beatInBar = 1;     // 1 … 4
    double sinceBeat = 0;  // seconds since the beat began, never negative

    static BeatPosition at(double showTime);
    // Beat `beat` itself, from its first moment.
    static BeatPosition ofBeat(int beat);
    // The moment a list row written at `beat` begins: the readers' single-precision product.
    static double beatStart(int beat);

    // "17:1": the bar and the beat within it.
    std::string barText() const;
};
