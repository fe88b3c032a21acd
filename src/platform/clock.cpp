#include "platform/clock.h"

#include <chrono>
#include <cstdint>

namespace platform {

double SystemClock::nowSeconds() {
    using namespace std::chrono;
    auto ms = duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    return static_cast<uint32_t>(ms) / 1000.0;
}

FixedStepClock::FixedStepClock(double framesPerSecond) : step_(1.0 / framesPerSecond) {}

// Starts well away from 0 so the 4 s lead-in never needs a negative tick.
double FixedStepClock::nowSeconds() {
    return 1000.0 + static_cast<double>(frames_) * step_;
}

void FixedStepClock::frameStarted() {
    ++frames_;
}

namespace {
SystemClock systemClock;
Clock* current = &systemClock;
}  // namespace

Clock& clock() {
    return *current;
}

void setClock(Clock* replacement) {
    current = replacement ? replacement : &systemClock;
}

}  // namespace platform

#include <thread>

namespace platform {
void sleepMilliseconds(int milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}
}  // namespace platform
