// Where a show time falls in the music's beats (0.48 s) and bars (four beats), counted the
// way the list files count: a row written at beat n starts at n × 0.48 rounded to single
// precision, and that very moment is beat n here, not the end of beat n − 1.
#pragma once

#include "base/beat.h"

struct BeatPosition {
    static constexpr int kBeatsPerBar = 4;

    int beat = 0;          // beats since show time 0; negative in the lead-in
    int bar = 0;           // beat / 4, rounded down
    int beatInBar = 0;     // 0 … 3
    double sinceBeat = 0;  // seconds since the beat began

    static BeatPosition at(double showTime);
    // The moment a list row written at `beat` begins: the readers' single-precision product.
    static double beatStart(int beat);
};
