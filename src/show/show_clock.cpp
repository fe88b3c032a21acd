#include "show/show_clock.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "base/frame_state.h"
#include "platform/clock.h"
#include "platform/process.h"
#include "platform/ui.h"
#include "show/music.h"

namespace {

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

bool ShowClock::updateClock() {
    time = now() - startTime;
    if (startPending_) {
        startPending_ = false;
        startTime = now() - startAt_;
        time = startAt_;
        // Before 0 the music is still to start, from its beginning.
        if (music && startAt_ > 0)
            music->setPosition(toMilliseconds(startAt_));
    }
    if (loop && loop->passed(time)) {
        time = loop->wrap(time);
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
        if (music)
            music->play();
        musicPending = false;
    }
    if (reloadRequested) {
        auto answer =
            platform::ui().messageBox("Reloade lists too?", "Reloade lists too?",
                                      platform::Buttons::YesNo, platform::Icon::Information);
        if (answer == platform::Answer::Yes) {
            reloadLists();
            platform::releaseFreedMemory();
        }
        startTime = now();
        time = now() - startTime;
        reloadRequested = false;
        if (music)
            music->setPosition(0);
    }
    if (pauseRequested) {
        if (music)
            music->stop();
        double pausedAt = time;
        platform::ui().messageBox("Pause", "Pause", platform::Buttons::Ok,
                                  platform::Icon::Information);
        startTime = now() - pausedAt;
        if (music) {
            music->play();
            music->setPosition(toMilliseconds(time));
        }
        pauseRequested = false;
    }
    if (seekRequested) {
        startTime = now() - seekTarget;
        time = now() - startTime;
        if (music)
            music->setPosition(toMilliseconds(seekTarget));
        seekRequested = false;
    }
    return true;
}
