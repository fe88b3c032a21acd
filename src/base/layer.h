// Everything a timeline draws: one operation, given the time since its entry started.
#pragma once

class Layer {
public:
    virtual ~Layer() = default;
    virtual void draw(double localTime) = 0;

    // Pictures can be let go while the layer is not needed and taken back in pieces
    // before it is; draw takes back whatever is still missing, so the picture stays the
    // same either way. Unload is true when something was let go.
    virtual bool unload() { return false; }
    // Takes back one piece; false when nothing was missing.
    virtual bool loadNext() { return false; }
};
