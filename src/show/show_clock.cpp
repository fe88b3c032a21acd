#include "show/show_clock.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "base/frame_state.h"
#include "platform/clock.h"
#include "platform/process.h"
#include "show/music.h"

namespace {

constexpr double kGridLimit = 1e9;   // seconds; beyond, a time is taken as it is
constexpr double kGridSlack = 1e-6;  // of a step

// Truncated towards zero; a typed time beyond the int range (about 24 days) is held at its
// limit instead of overflowing the conversion.
int toMilliseconds(double seconds) {
    double milliseconds = std::trunc(seconds * 1000);
    if (std::isnan(milliseconds))
        return 0;
    return static_cast<int>(
        std::clamp(milliseconds, static_cast<double>(INT_MIN), static_cast<double>(INT_MAX)));
}

}  // namespace

ShowClock::ShowClock()
    : now([] { return platform::clock().nowSeconds(); }),
      endProcess([](int status) { platform::exitProcess(status); }) {
    startTime = now();
}

void ShowClock::startClock() {
    startTime = now() + kLeadIn;
}

void ShowClock::startFrom(double seconds) {
    startPending_ = true;
    startAt_ = seconds;
}

double ShowClock::onGrid(double seconds) const {
    if (!(frameRate > 0) || !(std::fabs(seconds) < kGridLimit)) {
        return seconds;
    }
    return std::round(seconds * frameRate) / frameRate;
}

double ShowClock::gridAtOrAfter(double seconds) const {
    if (!(frameRate > 0) || !(std::fabs(seconds) < kGridLimit)) {
        return seconds;
    }
    return static_cast<double>(frameAtOrAfter(seconds, frameRate)) / frameRate;
}

// A time a rounding below a grid point is on it.
int64_t ShowClock::frameAtOrAfter(double seconds, double rate) {
    return static_cast<int64_t>(std::ceil(seconds * rate - kGridSlack));
}

int64_t ShowClock::frameAt(double time, double rate) {
    return std::llround(time * rate);
}

bool ShowClock::updateClock() {
    if (!held_)
        time = onGrid(now() - startTime);
    if (startPending_) {
        startPending_ = false;
        startAt_ = gridAtOrAfter(startAt_);
        startTime = now() - startAt_;
        time = startAt_;
        // Before 0 the music is still to start, from its beginning.
        if (music && startAt_ > 0)
            music->setPosition(toMilliseconds(startAt_));
    }
    if (held_) {
        showTime = time;
        return true;
    }
    if (loop && loop->passed(time)) {
        time = onGrid(loop->wrap(time));
        startTime = now() - time;
        if (music && !musicPending)
            music->setPosition(toMilliseconds(time));
    }
    showTime = time;
    if (time > endTime) {
        endProcess(0);
        return false;
    }
    if (musicPending && time >= 0) {
        // A frame lands past 0 by up to its own length (a tenth of a second in a slow
        // browser): the music starts where the show is, not that much behind it for good.
        if (music) {
            music->play();
            if (time > 0)
                music->setPosition(toMilliseconds(time));
        }
        musicPending = false;
    }
    return true;
}

void ShowClock::restart() {
    startTime = now();
    time = onGrid(now() - startTime);
    if (music)
        music->setPosition(0);
}

void ShowClock::pause() {
    held_ = true;
    if (music && !musicPending)
        music->stop();
}

// The music plays on only if it had started: in the lead-in it still waits for show time 0.
void ShowClock::resume() {
    held_ = false;
    startTime = now() - time;
    if (music && !musicPending) {
        music->play();
        music->setPosition(toMilliseconds(time));
    }
}

void ShowClock::seek(double seconds) {
    startTime = now() - seconds;
    time = onGrid(seconds);
    if (time < 0 && !musicPending) {
        // Music heard in a lead-in would run ahead of the picture by the lead-in's length.
        if (music)
            music->stop();
        musicPending = true;
    }
    if (music)
        music->setPosition(toMilliseconds(std::max(seconds, 0.0)));
}
