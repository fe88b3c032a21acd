// Everything a timeline draws: one operation, given the frame (with the time since its entry
// started).
#pragma once

#include <limits>

#include "base/frame.h"

class Layer {
public:
    virtual ~Layer() = default;
    // Draws the layer as it is at frame.localTime, from what the frame gives and nothing else.
    virtual void draw(const Frame& frame) = 0;

    // Pictures can be let go while the layer is not needed and taken back in pieces
    // before it is; draw takes back whatever is still missing, so the picture stays the
    // same either way. Unload is true when something was let go.
    virtual bool unload() { return false; }
    // Takes back one piece; false when nothing was missing.
    virtual bool loadNext() { return false; }

    // How long after its entry starts the layer shows anything at all (a title word is
    // written and unwritten, an animation fades out); the rest of a longer entry shows
    // nothing. For the schedule.
    virtual double showsFor() const { return std::numeric_limits<double>::infinity(); }
};
