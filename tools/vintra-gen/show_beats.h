// The show's musical grid as the lists use it: the show's own beat and section turns, so
// the data set and the schedule cannot disagree.
#pragma once

#include "base/beat.h"

namespace gen::beats {

inline constexpr double kFirstDrop = section::kFirstDrop;
inline constexpr double kGraffitiStart = section::kGraffitiStart;
inline constexpr double kGraffitiEnd = section::kGraffitiEnd;
inline constexpr double kTowerStart = section::kTowerStart;
inline constexpr double kTowerEnd = section::kTowerEnd;
inline constexpr double kMorphReturn = section::kMorphReturn;

}  // namespace gen::beats
