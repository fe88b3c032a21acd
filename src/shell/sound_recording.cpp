#include "shell/sound_recording.h"

#include <algorithm>

#include "base/data_file.h"
#include "platform/clock.h"
#include "platform/interruption.h"
#include "shell/capture_session.h"
#include "shell/session.h"
#include "show/music.h"
#include "show/show_clock.h"

int recordSoundAlone(Session& session) {
    const double step = session.options.fixedStep();
    Music played;
    music = &played;
    played.open(data::kMusic.path);
    played.setVolume(255);
    // The clock and the music as the show's start-up leaves them, and then the calls the main
    // loop makes for each frame, less the drawing.
    ShowClock clock;
    clock.frameRate = 1.0 / step;
    clock.startClock();
    clock.endTime = std::min(session.options.to, ShowClock::kEndTime);
    clock.startFrom(session.options.startTime());
    bool ended = false;
    clock.endProcess = [&ended](int) { ended = true; };
    CaptureSession& capture = *session.capture;
    for (;;) {
        platform::Interruption::endIfSignalled();
        platform::clock().frameStarted();
        played.advanceOutput(step);
        capture.frameStarting();
        if (!clock.updateClock() || ended || capture.frameDrawn(clock.time)) {
            break;
        }
    }
    const int status = capture.finish([&played](double seconds) { played.advanceOutput(seconds); });
    music = nullptr;
    return status;
}
