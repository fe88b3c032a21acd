// Everything a timeline draws: one operation, given the time since its entry started.
#pragma once

class Layer {
public:
    virtual ~Layer() = default;
    virtual void draw(double localTime) = 0;
};
