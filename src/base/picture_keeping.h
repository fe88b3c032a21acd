// Which layers hold their pictures at a show time. A layer holds them from `lead` seconds
// before one of its entries starts until that entry ends; at other times it lets them go.
// Memory then holds what the next seconds draw, not everything the show has drawn, and a
// layer drawn without its pictures loads them as it draws, so the frame is the same.
#pragma once

#include <span>

#include "base/timeline.h"

// Lets go of the pictures of every layer no entry needs soon and, when `mayLoad`, takes
// back one piece for the soonest entry that lacks one. True when something was let go.
bool keepPicturesAround(std::span<const Timeline> lines, double t, double lead, bool mayLoad);
