// One run of the program: what the main loop, the shell's keys and the start-up share, from
// the options to the objects each window's start-up creates. The program has one; the hooks
// the shell hands to lower folders capture it.
#pragma once

#include <memory>

#include "base/keys.h"
#include "camera/transport_requests.h"
#include "shell/frame_stats.h"
#include "shell/input_dialog.h"
#include "shell/key_latch.h"
#include "shell/options.h"
#include "shell/output_paths.h"

namespace platform {
class FixedStepClock;
}
class CaptureSession;
class ProgressLine;
class Authoring;
class ShotSeries;
class Text;
class Light;
class Show;

struct Session {
    Session();
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    Options options;
    OutputPaths outputPaths;    // taken at start-up, before the data set's directory is entered
    std::string dataDirectory;  // the one holding vintra/, as it was named; the program is in it
    std::unique_ptr<platform::FixedStepClock> fixedClock;
    FrameStats frameStats;
    std::unique_ptr<CaptureSession> capture;
    std::unique_ptr<ProgressLine> benchProgress;
    std::unique_ptr<Authoring> authoring;
    std::unique_ptr<ShotSeries> shots;
    bool firstFrameDrawn = false;
    KeyLatch keyLatch{keys};

    bool active = true;      // false while the window is minimised
    bool fullscreen = true;  // chosen at start-up, toggled by F1
    // Fullscreen switches the display mode instead of covering the desktop.
    bool modeSwitch = false;
    bool frozen = false;  // Space: no drawing, time runs on

    // Created by each window's start-up and freed with it (F1 makes them again).
    Text* text = nullptr;
    Light* light = nullptr;
    Show* show = nullptr;

    // The camera keys' questions and the transport requests they raise.
    InputDialog questions;
    TransportRequests transport;
};

// The program's session once it runs (null before): for the hooks a page calls between
// frames.
Session* runningSession();
