// The show clock: turns the millisecond tick into show time each frame, starts the music
// at show time 0, ends the process after 185 s and carries out the transport requests
// (reload, pause, seek) that the authoring keys raise.
#pragma once

#include <functional>
#include <optional>

#include "show/section_loop.h"

#include "base/frame_state.h"

class ShowClock {
public:
    static constexpr double kLeadIn = 4.0;     // seconds of silence before show time 0
    static constexpr double kEndTime = 185.0;  // the first frame after it ends the process

    ShowClock();
    virtual ~ShowClock() = default;

    void startClock();
    // The next update puts the show at `seconds` (as a seek does, the music positioned to
    // match) instead of running from the lead-in.
    void startFrom(double seconds);
    // Returns false when the show has ended (the process exit was requested).
    bool updateClock();

    double startTime = 0;
    double time = 0;
    bool musicPending = true;
    double endTime = kEndTime;  // the first frame after it ends the process
    // Authoring: the section played over and over, the music following at each wrap.
    std::optional<SectionLoop> loop;

    // Injected for tests: the tick in seconds, and how the process ends.
    std::function<double()> now;
    std::function<void(int)> endProcess;

private:
    bool startPending_ = false;
    double startAt_ = 0;

protected:
    // F12 answered with Yes: clear and re-read the list files.
    virtual void reloadLists() {}
};
