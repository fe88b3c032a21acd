// The show's time base: a monotonic millisecond tick, or a fixed step per frame for the
// offline modes so every run draws the same frames.
#pragma once

namespace platform {

class Clock {
public:
    virtual ~Clock() = default;
    // Seconds since an arbitrary origin.
    virtual double nowSeconds() = 0;
    // Called once before each frame is drawn; only the fixed-step clock moves on it.
    virtual void frameStarted() {}
};

// Milliseconds of a steady clock, taken as an unsigned 32-bit tick.
class SystemClock : public Clock {
public:
    double nowSeconds() override;
};

// Advances by exactly 1/framesPerSecond at every frameStarted.
class FixedStepClock : public Clock {
public:
    explicit FixedStepClock(double framesPerSecond);
    double nowSeconds() override;
    void frameStarted() override;
    double step() const { return step_; }

private:
    double step_;
    long long frames_ = 0;
};

// The process-wide clock; a SystemClock unless replaced.
Clock& clock();
void setClock(Clock* replacement);

}  // namespace platform

namespace platform {
// Gives the processor away while nothing is drawn (a minimised window).
void sleepMilliseconds(int milliseconds);
}  // namespace platform
