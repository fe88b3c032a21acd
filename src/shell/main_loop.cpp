#include "shell/main_loop.h"

#include <unistd.h>
#include "render/gl/gl.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "base/log.h"
#include "platform/clock.h"
#include "platform/frame_driver.h"
#include "platform/interruption.h"
#include "platform/path.h"
#include "platform/png_writer.h"
#include "platform/process.h"
#include "platform/ui.h"
#include "platform/window.h"
#include "render/gl_errors.h"
#include "render/picture_target.h"
#include "render/world.h"
#include "shell/authoring.h"
#include "shell/capture_session.h"
#include "shell/check_mode.h"
#include "shell/data_set_report.h"
#include "shell/data_set_search.h"
#include "shell/display_check.h"
#include "shell/fill_unit.h"
#include "shell/frame_chart.h"
#include "shell/frame_stats.h"
#include "shell/gl_window.h"
#include "shell/log_window.h"
#include "shell/options.h"
#include "shell/output_paths.h"
#include "shell/progress_line.h"
#include "shell/revision.h"
#include "shell/run_description.h"
#include "shell/schedule_output.h"
#include "shell/session.h"
#include "shell/shell_keys.h"
#include "shell/shot_series.h"
#include "shell/sound_recording.h"
#include "shell/transport.h"
#include "show/music.h"
#include "show/show.h"

namespace {

const char* const kTitle = "#Korrin - Tarvel";

using SteadyClock = std::chrono::steady_clock;
const SteadyClock::time_point launchTime = SteadyClock::now();

double millisecondsSince(SteadyClock::time_point start) {
    return std::chrono::duration<double, std::milli>(SteadyClock::now() - start).count();
}

// The benchmark's fill unit is measured before the first frame; start-up leaves it out.
double fillMeasurementMs = 0;

void measureFillUnit(Session& session) {
    const auto begin = SteadyClock::now();
    const int width = windowLetterbox().outputWidth();
    const int height = windowLetterbox().outputHeight();
    const FillUnit::Result fill = FillUnit::measure(width, height);
    session.frameStats.setFillUnit(fill.milliseconds, fill.passes, width, height);
    fillMeasurementMs = millisecondsSince(begin);
}

void checkGlErrors(double showTime) {
    // Layers are checked one by one as their timelines draw them; this catches the rest.
    reportGlErrors("the frame", showTime);
}

// The frame drawn, top row first, as RGB.
std::vector<uint8_t> readFrame(int width, int height) {
    std::vector<uint8_t> bottomUp(static_cast<size_t>(width) * height * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    render::resolvePicture();
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
void writeDueShots(Session& session, double showTime) {
    const int width = windowLetterbox().outputWidth();
    const int height = windowLetterbox().outputHeight();
    while (const Options::Shot* shot = session.shots->takeDue(showTime)) {
        if (!platform::writePng(shot->file, width, height, readFrame(width, height))) {
            logWindow->say(LogLevel::Error, LogModule::Shell, "tarvel: cannot write %s",
                           shot->file.c_str());
            platform::exitProcess(1);
        }
        logWindow->say(LogLevel::Info, LogModule::Shell, "tarvel: wrote %s at show time %.3f",
                       shot->file.c_str(), showTime);
    }
    session.shots->passed(showTime);
    if (session.shots->done()) {
        platform::exitProcess(0);
    }
    // A frame is a function of its show time: offscreen, straight on to the next still.
    if (session.options.offline() && showTime < session.shots->pendingTime()) {
        session.show->clock().startFrom(session.shots->pendingTime());
    }
}

void handleWindowEvent(Session& session, const platform::WindowEvent& event, bool& done) {
    using Kind = platform::WindowEvent::Kind;
    switch (event.kind) {
        case Kind::Activate:
            session.active = !event.minimised;
            break;
        case Kind::Close:
            done = true;
            break;
        case Kind::KeyDown:
            session.keyLatch.keyDown(event.key & 0xff);
            break;
        case Kind::KeyUp:
            session.keyLatch.keyUp(event.key & 0xff);
            break;
        case Kind::Size:
            // Re-announcing the size the window already has changes nothing.
            if (event.width != windowLetterbox().outputWidth() ||
                event.height != windowLetterbox().outputHeight()) {
                resizeScene(session, event.width, event.height);
            }
            break;
    }
}

void finishCapture(Session& session) {
    platform::exitProcess(session.capture->finish([](double seconds) {
        if (music)
            music->advanceOutput(seconds);
    }));
}

// --from and --to; a recording always starts where its first frame is, and a still where
// the first still is (the frames before it would show nothing it needs).
void applyShowRange(Session& session) {
    if (session.options.fixedStep() > 0) {
        session.show->clock().frameRate = 1.0 / session.options.fixedStep();
    }
    if (session.shots && session.options.offline()) {
        session.show->clock().startFrom(session.shots->pendingTime());
    } else if (session.options.hasFrom || session.options.capture || session.options.hasLoop) {
        session.show->clock().startFrom(session.options.startTime());
    }
    session.show->clock().endTime = std::min(session.options.to, ShowClock::kEndTime);
    if (session.options.hasLoop && !session.options.offline()) {
        session.show->clock().loop.emplace(session.options.loopStart, session.options.loopEnd);
    }
}

// The end of the show in the offline modes.
void installOfflineEnding(Session& session) {
    if (session.options.bench) {
        session.show->clock().endProcess = [&session](int status) {
            session.benchProgress->finish();
            if (!writeBenchFiles(session.frameStats, session.options.chartFile,
                                 session.options.csvFile))
                status = 1;
            std::fputs(session.frameStats.report().c_str(), stdout);
            platform::exitProcess(status);
        };
    } else if (session.capture) {
        session.show->clock().endProcess = [&session](int) { finishCapture(session); };
    } else if (session.options.shot) {
        session.show->clock().endProcess = [&session](int) {
            logWindow->say(LogLevel::Error, LogModule::Shell,
                           "tarvel: the show ended before show time %.3f",
                           session.shots->pendingTime());
            platform::exitProcess(1);
        };
    }
}

bool startWindow(Session& session) {
    session.authoring.reset();  // it reads into the show of the last round (F1)
    if (!createWindow(session, kTitle, session.options.outputWidth, session.options.outputHeight,
                      32, session.fullscreen)) {
        return false;
    }
    applyShowRange(session);
    installOfflineEnding(session);
    if (session.options.watch || logEnabled) {
        session.authoring = std::make_unique<Authoring>(*session.show, kTitle);
    }
    return true;
}

// One pass of the main loop: the window's events, then the idle pass. False once the show
// is to end.
bool runMainLoopPass(Session& session) {
    bool done = false;
    platform::Interruption::endIfSignalled();
    platform::WindowEvent event;
    while (!done && mainWindow().poll(event)) {
        handleWindowEvent(session, event, done);
    }
    if (!done) {
        platform::ui().pump();
        if (session.active) {
            if (keys[vk::kEscape] || keys[vk::kQ] || keys[vk::kF5]) {
                done = true;
            } else {
                handleShellKeys(session);
                if (session.authoring) {
                    session.authoring->handleKeys(mainWindow());
                }
                if (!session.frozen) {
                    drawFrame(session);
                }
            }
        } else {
            platform::sleepMilliseconds(10);
        }
        if (keys[vk::kF1]) {
            keys[vk::kF1] = 0;
            killWindow(session);
            session.fullscreen = !session.fullscreen;
            if (!startWindow(session)) {
                platform::exitProcess(0);
            }
            keys[vk::kF8] = 0;
        }
        session.keyLatch.idlePassDone();
    }
    return !done;
}

int failUsage(const std::string& error) {
    logWindow->say(LogLevel::Error, LogModule::Shell, "tarvel: %s\nTry 'tarvel --help'.",
                   error.c_str());
    return 2;
}

// Output paths made absolute, --shot's file checked, then into the data set's directory.
bool enterDataSet(Session& session) {
    session.outputPaths.resolve(session.options);
    std::string error;
    for (const auto& shot : session.options.shots) {
        if (!OutputPaths::checkShotTarget(shot.file, error)) {
            logWindow->say(LogLevel::Error, LogModule::Shell, "tarvel: %s", error.c_str());
            return false;
        }
    }
    DataSetSearch search(session.options.dataDirectory);
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
    session.dataDirectory = search.found();
    return true;
}

// Opens the recording before anything is loaded, so a bad file name fails at once.
bool startOfflineWork(Session& session) {
    const double fps = 1.0 / session.options.fixedStep();
    const double end = std::min(session.options.to, ShowClock::kEndTime);
    if (session.options.capture) {
        session.capture = std::make_unique<CaptureSession>(
            session.options.outputWidth, session.options.outputHeight, fps, 44100);
        return session.capture->open(session.options.captureFile, session.options.startTime(), end);
    }
    if (session.options.shot) {
        const auto& shots = session.options.shots;
        // Offscreen the show starts at the first still; a window plays from its start.
        const double start =
            session.options.offline()
                ? std::min_element(shots.begin(), shots.end(),
                                   [](const auto& a, const auto& b) { return a.time < b.time; })
                      ->time
                : session.options.startTime();
        const double rate = session.options.fixedStep() > 0 ? fps : 0.0;
        session.shots = std::make_unique<ShotSeries>(shots, rate, start);
    }
    if (session.options.bench) {
        const auto frames = std::llround((end - session.options.startTime()) * fps);
        session.benchProgress = std::make_unique<ProgressLine>("tarvel: bench ", frames, 1.0 / fps);
    }
    return true;
}

// Chooses the ui, the clock and the window kind; false with a message when the chosen mode
// cannot run here.
bool prepareMode(Session& session, bool& showDialog) {
    const bool display = platform::Window::hasDisplay();
    showDialog = false;
    if (session.options.offline() || !display) {
        if (!session.options.offline()) {
            logWindow->say(LogLevel::Warning, LogModule::Shell,
                           "tarvel: no display (neither DISPLAY nor WAYLAND_DISPLAY is set): "
                           "recording the show to %s instead",
                           session.outputPaths.absolute("tarvel.mp4").c_str());
            session.options.capture = true;
            session.options.captureFile = session.outputPaths.absolute("tarvel.mp4");
        }
        platform::setUi(platform::makeNonInteractiveUi());
        setOffscreen(true);
        session.fullscreen = false;
    } else {
        auto dialogs = platform::makeInteractiveUi();
        if (!dialogs) {
            return reportUnopenableDisplay();
        }
        platform::setUi(std::move(dialogs));
        showDialog = !session.options.windowed && !session.options.fullscreen;
        session.fullscreen = session.options.fullscreen;
        session.modeSwitch = session.options.modeSwitch;
        setVerticalSync(session.options.fixedStep() <= 0);
    }
    setGlesRenderer(session.options.glesRenderer);
    setPictureSamples(session.options.pictureSamples(), session.options.samples >= 0);
    if (session.options.fixedStep() > 0) {
        // The mixer follows the stepped clock, so every run hears the same samples.
        Music::selectOutput(platform::sound::OutputKind::NonRealTime);
        session.fixedClock =
            std::make_unique<platform::FixedStepClock>(1.0 / session.options.fixedStep());
        platform::setClock(session.fixedClock.get());
    }
    platform::Interruption::describe(runDescription(session.options));
    return startOfflineWork(session);
}

}  // namespace

void drawFrame(Session& session) {
    const auto begin = SteadyClock::now();
    platform::clock().frameStarted();
    if (session.fixedClock && music) {
        music->advanceOutput(session.fixedClock->step());
    }
    if (session.capture) {
        session.capture->frameStarting();
    }
    if (session.authoring) {
        session.authoring->beforeFrame();
    }
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    if (session.show->advanceClock()) {
        carryOutTransport(session.transport, *session.show);
        session.show->drawFrame(windowLetterbox().picture());
    }
    const double showTime = session.show->clock().time;
    checkGlErrors(showTime);
    session.world->updateFrameRate(showTime);
    if (session.authoring) {
        session.authoring->afterFrame(
            mainWindow(), session.text,
            {showTime, session.world->fpsText, windowLetterbox().picture().height});
    }
    windowLetterbox().clearBars();
    if (session.shots) {
        writeDueShots(session, showTime);
    }
    glFlush();
    if (session.options.bench) {
        // A frame that is seen or recorded is resolved: the benchmark pays for it too.
        render::resolvePicture();
        glFinish();
    }
    if (session.capture && session.capture->frameDrawn(showTime)) {
        finishCapture(session);
    }
    mainWindow().swap();
    if (!session.firstFrameDrawn) {
        session.firstFrameDrawn = true;
        session.frameStats.setStartupMilliseconds(millisecondsSince(launchTime) - fillMeasurementMs,
                                                  peakResidentMegabytes());
    }
    if (session.options.bench) {
        session.frameStats.addFrame(showTime, millisecondsSince(begin), peakResidentMegabytes());
        session.benchProgress->update(static_cast<long long>(session.frameStats.frames().size()),
                                      showTime);
    }
}

namespace {
Session* running = nullptr;
}  // namespace

Session* runningSession() {
    return running;
}

double shownTime() {
    const Session* session = runningSession();
    return session && session->show ? session->show->clock().time : 0.0;
}

int runTarvel(int argc, char** argv) {
    // Lives to the end of the process, which may end from inside any hook.
    static Session session;
    running = &session;
    platform::Interruption::install();
    std::string error;
    if (!parseOptions(argc, argv, session.options, error)) {
        return failUsage(error);
    }
    if (session.options.help) {
        std::fputs(usageText().c_str(), stdout);
        return 0;
    }
    if (session.options.version) {
        std::printf("tarvel %s (%s)\n", TARVEL_VERSION, TARVEL_REVISION);
        return 0;
    }
    if (!windowRequestPossible(session.options)) {
        return 2;
    }
    if (!enterDataSet(session)) {
        return 1;
    }
    if (session.options.check) {
        return runCheck(session.dataDirectory);
    }
    DataSetReport::install(session.dataDirectory);
    bool showDialog = false;
    if (!prepareMode(session, showDialog)) {
        return 1;
    }
    if (showDialog) {
        bool chosen = true;
        if (platform::ui().startupDialog(chosen) != platform::Answer::Ok) {
            platform::exitProcess(-1);
        }
        session.fullscreen = chosen;
    }
    if (session.capture && !session.capture->takesPictures()) {
        platform::exitProcess(recordSoundAlone(session));
    }
    std::string detail;
    if (!platform::Window::initVideo(session.options.offline() || !platform::Window::hasDisplay(),
                                     detail)) {
        logWindow->say(LogLevel::Error, LogModule::Shell,
                       "tarvel: no display and no offscreen GL context: %s", detail.c_str());
        return 1;
    }
    if (!startWindow(session)) {
        if (!mainWindow().isOpen() &&
            (session.options.offline() || !platform::Window::hasDisplay())) {
            logWindow->say(LogLevel::Error, LogModule::Shell,
                           "tarvel: no GL context could be created");
            return 1;
        }
        return 0;
    }
    if (session.options.schedule) {
        platform::exitProcess(writeSchedule(*session.show, session.options.svgFile));
    }
    if (session.options.bench) {
        measureFillUnit(session);
    }
    platform::runPasses([] { return runMainLoopPass(*runningSession()); },
                        [] {
                            killWindow(*runningSession());
                            platform::exitProcess(0);
                        });
    return 0;
}
