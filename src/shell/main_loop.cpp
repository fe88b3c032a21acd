#include "shell/main_loop.h"

#include <GL/gl.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "base/gl_errors.h"
#include "base/log.h"
#include "base/world.h"
#include "platform/clock.h"
#include "platform/interruption.h"
#include "platform/path.h"
#include "platform/png_writer.h"
#include "platform/process.h"
#include "platform/ui.h"
#include "platform/window.h"
#include "shell/authoring.h"
#include "shell/capture_session.h"
#include "shell/data_set_search.h"
#include "shell/display_check.h"
#include "shell/frame_chart.h"
#include "shell/frame_stats.h"
#include "shell/gl_window.h"
#include "shell/log_window.h"
#include "shell/options.h"
#include "shell/output_paths.h"
#include "shell/progress_line.h"
#include "shell/revision.h"
#include "shell/run_description.h"
#include "shell/session.h"
#include "shell/shell_keys.h"
#include "shell/shot_series.h"
#include "shell/transport.h"
#include "show/music.h"
#include "show/schedule.h"
#include "show/show.h"

namespace {

const char* const kTitle = "#Korrin - Tarvel";

using SteadyClock = std::chrono::steady_clock;
const SteadyClock::time_point launchTime = SteadyClock::now();

double millisecondsSince(SteadyClock::time_point start) {
    return std::chrono::duration<double, std::milli>(SteadyClock::now() - start).count();
}

void checkGlErrors() {
    // Layers are checked one by one as their timelines draw them; this catches the rest.
    reportGlErrors("the frame", showTime);
}

// The back buffer, top row first, as RGB.
std::vector<uint8_t> readFrame(int width, int height) {
    std::vector<uint8_t> bottomUp(static_cast<size_t>(width) * height * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, bottomUp.data());
    std::vector<uint8_t> topDown(bottomUp.size());
    const size_t row = static_cast<size_t>(width) * 3;
    for (int y = 0; y < height; ++y) {
        std::copy_n(bottomUp.begin() + static_cast<long>((height - 1 - y) * row), row,
                    topDown.begin() + static_cast<long>(y * row));
    }
    return topDown;
}

// Writes every shot the show time has reached; the last one ends the run.
void writeDueShots(Session& s) {
    const int width = windowLetterbox().outputWidth();
    const int height = windowLetterbox().outputHeight();
    while (const Options::Shot* shot = s.shots->takeDue(showTime)) {
        if (!platform::writePng(shot->file, width, height, readFrame(width, height))) {
            logWindow->say(LogLevel::Error, LogModule::Shell, "tarvel: cannot write %s",
                           shot->file.c_str());
            platform::exitProcess(1);
        }
        logWindow->say(LogLevel::Info, LogModule::Shell, "tarvel: wrote %s at show time %.3f",
                       shot->file.c_str(), showTime);
    }
    if (s.shots->done()) {
        platform::exitProcess(0);
    }
}

void handleWindowEvent(Session& s, const platform::WindowEvent& event, bool& done) {
    using Kind = platform::WindowEvent::Kind;
    switch (event.kind) {
        case Kind::Activate:
            s.active = !event.minimised;
            break;
        case Kind::Close:
            done = true;
            break;
        case Kind::KeyDown:
            s.keyLatch.keyDown(event.key & 0xff);
            break;
        case Kind::KeyUp:
            s.keyLatch.keyUp(event.key & 0xff);
            break;
        case Kind::Size:
            // Re-announcing the size the window already has changes nothing.
            if (event.width != windowLetterbox().outputWidth() ||
                event.height != windowLetterbox().outputHeight()) {
                resizeScene(event.width, event.height);
            }
            break;
    }
}

void finishCapture(Session& s) {
    platform::exitProcess(s.capture->finish([](double seconds) {
        if (music)
            music->advanceOutput(seconds);
    }));
}

// --from and --to; a recording always starts where its first frame is.
void applyShowRange(Session& s) {
    if (s.options.hasFrom || s.options.capture || s.options.hasLoop) {
        s.show->clock().startFrom(s.options.startTime());
    }
    s.show->clock().endTime = std::min(s.options.to, ShowClock::kEndTime);
    if (s.options.hasLoop && !s.options.offline()) {
        s.show->clock().loop.emplace(s.options.loopStart, s.options.loopEnd);
    }
}

// The end of the show in the offline modes.
void installOfflineEnding(Session& s) {
    if (s.options.bench) {
        s.show->clock().endProcess = [&s](int status) {
            s.benchProgress->finish();
            if (!writeBenchFiles(s.frameStats, s.options.chartFile, s.options.csvFile))
                status = 1;
            std::fputs(s.frameStats.report().c_str(), stdout);
            platform::exitProcess(status);
        };
    } else if (s.capture) {
        s.show->clock().endProcess = [&s](int) { finishCapture(s); };
    } else if (s.options.shot) {
        s.show->clock().endProcess = [&s](int) {
            logWindow->say(LogLevel::Error, LogModule::Shell,
                           "tarvel: the show ended before show time %.3f", s.shots->pendingTime());
            platform::exitProcess(1);
        };
    }
}

bool startWindow(Session& s) {
    s.authoring.reset();  // it reads into the show of the last round (F1)
    if (!createWindow(s, kTitle, s.options.outputWidth, s.options.outputHeight, 32, s.fullscreen)) {
        return false;
    }
    applyShowRange(s);
    installOfflineEnding(s);
    if (s.options.watch || logEnabled) {
        s.authoring = std::make_unique<Authoring>(*s.show, kTitle);
    }
    return true;
}

void runMainLoop(Session& s) {
    bool done = false;
    while (!done) {
        platform::Interruption::endIfSignalled();
        platform::WindowEvent event;
        if (mainWindow().poll(event)) {
            handleWindowEvent(s, event, done);
            continue;
        }
        platform::ui().pump();
        if (s.active) {
            if (keys[vk::kEscape] || keys[vk::kQ] || keys[vk::kF5]) {
                done = true;
            } else {
                handleShellKeys(s);
                if (s.authoring) {
                    s.authoring->handleKeys(mainWindow());
                }
                if (!s.frozen) {
                    drawFrame(s);
                }
            }
        } else {
            platform::sleepMilliseconds(10);
        }
        if (keys[vk::kF1]) {
            keys[vk::kF1] = 0;
            killWindow(s);
            s.fullscreen = !s.fullscreen;
            if (!startWindow(s)) {
                platform::exitProcess(0);
            }
            keys[vk::kF8] = 0;
        }
        s.keyLatch.idlePassDone();
    }
}

int failUsage(const std::string& error) {
    logWindow->say(LogLevel::Error, LogModule::Shell, "tarvel: %s\nTry 'tarvel --help'.",
                   error.c_str());
    return 2;
}

// Output paths made absolute, --shot's file checked, then into the data set's directory.
bool enterDataSet(Session& s) {
    s.outputPaths.resolve(s.options);
    std::string error;
    for (const auto& shot : s.options.shots) {
        if (!OutputPaths::checkShotTarget(shot.file, error)) {
            logWindow->say(LogLevel::Error, LogModule::Shell, "tarvel: %s", error.c_str());
            return false;
        }
    }
    DataSetSearch search(s.options.dataDirectory);
    if (!search.find()) {
        logWindow->say(LogLevel::Error, LogModule::Shell, "tarvel: %s",
                       search.notFoundMessage().c_str());
        return false;
    }
    if (chdir(search.found().c_str()) != 0) {
        logWindow->say(LogLevel::Error, LogModule::Shell, "tarvel: cannot change to %s: %s",
                       search.found().c_str(), std::strerror(errno));
        return false;
    }
    return true;
}

// Opens the recording before anything is loaded, so a bad file name fails at once.
bool startOfflineWork(Session& s) {
    const double fps = 1.0 / s.options.fixedStep();
    const double end = std::min(s.options.to, ShowClock::kEndTime);
    if (s.options.capture) {
        s.capture = std::make_unique<CaptureSession>(s.options.outputWidth, s.options.outputHeight,
                                                     fps, 44100);
        return s.capture->open(s.options.captureFile, s.options.startTime(), end);
    }
    if (s.options.shot) {
        s.shots = std::make_unique<ShotSeries>(s.options.shots);
    }
    if (s.options.bench) {
        const auto frames = std::llround((end - s.options.startTime()) * fps);
        s.benchProgress = std::make_unique<ProgressLine>("tarvel: bench ", frames, 1.0 / fps);
    }
    return true;
}

// Chooses the ui, the clock and the window kind; false with a message when the chosen mode
// cannot run here.
bool prepareMode(Session& s, bool& showDialog) {
    if (!windowRequestPossible(s.options)) {
        return false;
    }
    const bool display = platform::Window::hasDisplay();
    showDialog = false;
    if (s.options.offline() || !display) {
        if (!s.options.offline()) {
            logWindow->say(LogLevel::Warning, LogModule::Shell,
                           "tarvel: no display (neither DISPLAY nor WAYLAND_DISPLAY is set): "
                           "recording the show to %s instead",
                           s.outputPaths.absolute("tarvel.mp4").c_str());
            s.options.capture = true;
            s.options.captureFile = s.outputPaths.absolute("tarvel.mp4");
        }
        platform::setUi(platform::makeNonInteractiveUi());
        setOffscreen(true);
        s.fullscreen = false;
    } else {
        auto gtk = platform::makeGtkUi();
        if (!gtk) {
            return reportUnopenableDisplay();
        }
        platform::setUi(std::move(gtk));
        showDialog = !s.options.windowed && !s.options.fullscreen;
        s.fullscreen = s.options.fullscreen;
        s.modeSwitch = s.options.modeSwitch;
        setVerticalSync(s.options.fixedStep() <= 0);
    }
    if (s.options.fixedStep() > 0) {
        // The mixer follows the stepped clock, so every run hears the same samples.
        Music::selectOutput(platform::sound::OutputKind::NonRealTime);
        s.fixedClock = std::make_unique<platform::FixedStepClock>(1.0 / s.options.fixedStep());
        platform::setClock(s.fixedClock.get());
    }
    platform::Interruption::describe(runDescription(s.options));
    return startOfflineWork(s);
}

}  // namespace

void drawFrame(Session& s) {
    const auto begin = SteadyClock::now();
    platform::clock().frameStarted();
    if (s.fixedClock && music) {
        music->advanceOutput(s.fixedClock->step());
    }
    if (s.capture) {
        s.capture->frameStarting();
    }
    if (s.authoring) {
        s.authoring->beforeFrame();
    }
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    if (s.show->advanceClock()) {
        carryOutTransport(s.transport, *s.show);
        showTime = s.show->clock().time;
        s.show->drawFrame();
    }
    checkGlErrors();
    framesDrawn += 1;
    world->updateFrameRate(showTime);
    if (s.authoring) {
        s.authoring->afterFrame(mainWindow(), s.text);
    }
    windowLetterbox().clearBars();
    if (s.shots) {
        writeDueShots(s);
    }
    glFlush();
    if (s.options.bench) {
        glFinish();
    }
    if (s.capture && s.capture->frameDrawn(showTime)) {
        finishCapture(s);
    }
    mainWindow().swap();
    if (!s.firstFrameDrawn) {
        s.firstFrameDrawn = true;
        s.frameStats.setStartupMilliseconds(millisecondsSince(launchTime), peakResidentMegabytes());
    }
    if (s.options.bench) {
        s.frameStats.addFrame(showTime, millisecondsSince(begin), peakResidentMegabytes());
        s.benchProgress->update(static_cast<long long>(s.frameStats.frames().size()), showTime);
    }
}

int runTarvel(int argc, char** argv) {
    // Lives to the end of the process, which may end from inside any hook.
    static Session s;
    platform::Interruption::install();
    std::string error;
    if (!parseOptions(argc, argv, s.options, error)) {
        return failUsage(error);
    }
    if (s.options.help) {
        std::fputs(usageText(), stdout);
        return 0;
    }
    if (s.options.version) {
        std::printf("tarvel %s (%s)\n", TARVEL_VERSION, TARVEL_REVISION);
        return 0;
    }
    if (!enterDataSet(s)) {
        return 1;
    }
    if (s.options.watch || platform::fileExists("logga")) {
        Authoring::reportSkippedRows();
    }
    bool showDialog = false;
    if (!prepareMode(s, showDialog)) {
        return 1;
    }
    if (showDialog) {
        bool chosen = true;
        if (platform::ui().startupDialog(chosen) != platform::Answer::Ok) {
            platform::exitProcess(-1);
        }
        s.fullscreen = chosen;
    }
    std::string detail;
    if (!platform::Window::initVideo(s.options.offline() || !platform::Window::hasDisplay(),
                                     detail)) {
        logWindow->say(LogLevel::Error, LogModule::Shell,
                       "tarvel: no display and no offscreen GL context: %s", detail.c_str());
        return 1;
    }
    if (!startWindow(s)) {
        if (!mainWindow().isOpen() && (s.options.offline() || !platform::Window::hasDisplay())) {
            logWindow->say(LogLevel::Error, LogModule::Shell,
                           "tarvel: no GL context could be created");
            return 1;
        }
        return 0;
    }
    if (s.options.schedule) {
        const std::string text = Schedule(*s.show).text();
        const bool written = std::fputs(text.c_str(), stdout) >= 0 && std::fflush(stdout) == 0;
        platform::exitProcess(written ? 0 : 1);
    }
    runMainLoop(s);
    killWindow(s);
    platform::exitProcess(0);
    return 0;
}
