// The 60-per-second steps of show time that a scene's animated state advances on (a light
// walking its path, spark lives, a flicker). The state at a time is the scene's start state
// plus the steps from the scene's origin up to that time, whatever frames were drawn: the
// same at any frame rate, and after a jump either way.
#pragma once

#include <cstdint>

class SceneSteps {
public:
    static constexpr double kStepsPerSecond = 60.0;
    // Times further than this past the origin count as this far (an hour of steps).
    static constexpr double kLongestScene = 3600.0;

    // The time of the scene's first step.
    void setOrigin(double time);
    double origin() const { return origin_; }

    // Steps due by `time`: one at the origin, one more at every step boundary after it;
    // never fewer than one.
    int64_t dueAt(double time) const;
    // The time of step n (n ≥ 1), on the grid of steps.
    double timeOf(int64_t n) const;

private:
    static int64_t indexAt(double time);

    double origin_ = 0;
    int64_t originIndex_ = 0;
};
