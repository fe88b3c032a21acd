// The show's musical grid as the lists use it: beats of 0.48 s and the beats where its
// sections turn (drops, the graffiti and tower windows, the end).
#pragma once

namespace gen::beats {

inline constexpr double kSeconds = 0.48;
inline constexpr double kFirstDrop = 56;      // 26.88 s: the character animation starts
inline constexpr double kGraffitiStart = 89;  // 42.72 s
inline constexpr double kGraffitiEnd = 162;   // 77.76 s
inline constexpr double kTowerStart = 197;    // 94.56 s
inline constexpr double kTowerEnd = 255;      // 122.4 s
inline constexpr double kMorphReturn = 263;   // 126.24 s
inline constexpr double kEnd = 385.4;         // 185 s, the show stops

}  // namespace gen::beats
