// The show clock: turns the millisecond tick into show time each frame, starts the music
// at show time 0 and ends the process after 185 s. The transport (reload, pause, seek) is
// carried out only when the shell tells it to, after it has asked whatever it asks.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>

#include "show/section_loop.h"

class ShowClock {
public:
    static constexpr double kLeadIn = 4.0;     // seconds of silence before show time 0
    static constexpr double kEndTime = 185.0;  // the first frame after it ends the process

    ShowClock();

    void startClock();
    // The next update puts the show at `seconds` (as a seek does, the music positioned to
    // match) instead of running from the lead-in.
    void startFrom(double seconds);
    // Once a frame: show time from the tick. Returns false when the show has ended (the
    // process exit was requested).
    bool updateClock();

    // The transport. Restart: show time 0, the music from its beginning.
    void restart();
    // Pause holds the clock and the music: each update until resume keeps the show time it
    // was paused at (a seek moves it), however long the pause takes; resume runs on from
    // there, the music with it.
    void pause();
    void resume();
    bool paused() const { return held_; }
    // Show time `seconds` exactly, the music positioned to match; before 0 the music waits
    // for show time 0 again, as at the start.
    void seek(double seconds);

    // A fixed-step clock: frames per second of show time; each frame's time is then a whole
    // number of steps from 0, however the show got there (a start, a seek, a loop's wrap),
    // so equal times give equal frames. 0: the tick's time as it is.
    double frameRate = 0;

    double startTime = 0;
    double time = 0;
    bool musicPending = true;
    double endTime = kEndTime;  // the first frame after it ends the process
    // Authoring: the section played over and over, the music following at each wrap.
    std::optional<SectionLoop> loop;

    // Injected for tests: the tick in seconds, and how the process ends.
    std::function<double()> now;
    std::function<void(int)> endProcess;

    // The first time on the clock's grid at or after `seconds` (itself without a grid).
    double gridAtOrAfter(double seconds) const;
    // On a grid of `rate` frames a second from show time 0: the index of the first frame at
    // or after `seconds`, and the index of the frame at `time` (a time on the grid).
    static int64_t frameAtOrAfter(double seconds, double rate);
    static int64_t frameAt(double time, double rate);

private:
    // The time on the grid nearest to `seconds` (itself without a grid).
    double onGrid(double seconds) const;

    bool startPending_ = false;
    double startAt_ = 0;
    bool held_ = false;
};
