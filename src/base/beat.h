// The show's musical grid: beats of 0.48 s (125 a minute) and the beats where its sections
// turn. The list readers, the schedule, the tower's beat counter and the data generator all
// count in it, so a section moved here moves everywhere.
#pragma once

inline constexpr double kBeatSeconds = 0.48;

// The show time of beat n, in double precision as the schedule computes it.
constexpr double beats(int n) {
    return n * kBeatSeconds;
}

namespace section {
inline constexpr int kTitleEnd = 24;       // 11.52 s: the opening capture ends
inline constexpr int kFirstDrop = 56;      // 26.88 s: the character animation starts
inline constexpr int kGraffitiStart = 89;  // 42.72 s
inline constexpr int kGraffitiEnd = 162;   // 77.76 s
inline constexpr int kTowerStart = 197;    // 94.56 s
inline constexpr int kTowerEnd = 255;      // 122.4 s
inline constexpr int kMorphReturn = 263;   // 126.24 s: the morph is back on the record
// Off the grid, in seconds: the late scratch, then the end.
inline constexpr double kLateScratchSeconds = 165.0;
}  // namespace section
