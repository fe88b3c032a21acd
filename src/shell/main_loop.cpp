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
#include "shell/globals.h"
#include "shell/log_window.h"
#include "shell/options.h"
#include "shell/output_paths.h"
#include "shell/progress_line.h"
#include "shell/revision.h"
#include "shell/run_description.h"
#include "shell/shell_keys.h"
#include "shell/shot_series.h"
#include "show/music.h"
#include "show/schedule.h"
#include "show/show.h"

namespace {

const char* const kTitle = "#Korrin - Tarvel";

using SteadyClock = std::chrono::steady_clock;
const SteadyClock::time_point launchTime = SteadyClock::now();

Options options;
OutputPaths outputPaths;  // taken at start-up, before the data set's directory is entered
std::unique_ptr<platform::FixedStepClock> fixedClock;
FrameStats frameStats;
std::unique_ptr<CaptureSession> capture;
std::unique_ptr<ProgressLine> benchProgress;
std::unique_ptr<Authoring> authoring;
std::unique_ptr<ShotSeries> shots;
bool firstFrameDrawn = false;

// A key pressed and released between two idle passes (a quick tap, or synthetic input)
// must still be seen once: its release waits until an idle pass has run.
bool pressedSinceIdle[256] = {};
bool releasePending[256] = {};

void keyDown(int key) {
    keys[key] = 1;
    pressedSinceIdle[key] = true;
    releasePending[key] = false;
}

void keyUp(int key) {
    if (pressedSinceIdle[key]) {
        releasePending[key] = true;
    } else {
        keys[key] = 0;
    }
}

void idlePassDone() {
    for (int key = 0; key < 256; ++key) {
        if (releasePending[key]) {
            keys[key] = 0;
            releasePending[key] = false;
        }
        pressedSinceIdle[key] = false;
    }
}

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
void writeDueShots() {
    const int width = windowLetterbox().outputWidth();
    const int height = windowLetterbox().outputHeight();
    while (const Options::Shot* shot = shots->takeDue(showTime)) {
        if (!platform::writePng(shot->file, width, height, readFrame(width, height))) {
            std::fprintf(stderr, "tarvel: cannot write %s\n", shot->file.c_str());
            platform::exitProcess(1);
        }
        std::fprintf(stderr, "tarvel: wrote %s at show time %.3f\n", shot->file.c_str(), showTime);
    }
    if (shots->done()) {
        platform::exitProcess(0);
    }
}

void handleWindowEvent(const platform::WindowEvent& event, bool& done) {
    using Kind = platform::WindowEvent::Kind;
    switch (event.kind) {
        case Kind::Activate:
            active = !event.minimised;
            break;
        case Kind::Close:
            done = true;
            break;
        case Kind::KeyDown:
            keyDown(event.key & 0xff);
            break;
        case Kind::KeyUp:
            keyUp(event.key & 0xff);
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

void finishCapture() {
    platform::exitProcess(capture->finish([](double seconds) {
        if (music)
            music->advanceOutput(seconds);
    }));
}

// --from and --to; a recording always starts where its first frame is.
void applyShowRange() {
    if (options.hasFrom || options.capture || options.hasLoop) {
        show->startFrom(options.startTime());
    }
    show->endTime = std::min(options.to, ShowClock::kEndTime);
    if (options.hasLoop && !options.offline()) {
        show->loop.emplace(options.loopStart, options.loopEnd);
    }
}

// The end of the show in the offline modes.
void installOfflineEnding() {
    if (options.bench) {
        show->endProcess = [](int status) {
            benchProgress->finish();
            if (!writeBenchFiles(frameStats, options.chartFile, options.csvFile))
                status = 1;
            std::fputs(frameStats.report().c_str(), stdout);
            platform::exitProcess(status);
        };
    } else if (capture) {
        show->endProcess = [](int) { finishCapture(); };
    } else if (options.shot) {
        show->endProcess = [](int) {
            std::fprintf(stderr, "tarvel: the show ended before show time %.3f\n",
                         shots->pendingTime());
            platform::exitProcess(1);
        };
    }
}

bool startWindow() {
    authoring.reset();  // it reads into the show of the last round (F1)
    if (!createWindow(kTitle, options.outputWidth, options.outputHeight, 32, fullscreen)) {
        return false;
    }
    applyShowRange();
    installOfflineEnding();
    if (options.watch || logEnabled) {
        authoring = std::make_unique<Authoring>(*show, kTitle);
    }
    return true;
}

void runMainLoop() {
    bool done = false;
    while (!done) {
        platform::Interruption::endIfSignalled();
        platform::WindowEvent event;
        if (mainWindow().poll(event)) {
            handleWindowEvent(event, done);
            continue;
        }
        platform::ui().pump();
        if (active) {
            if (keys[vk::kEscape] || keys[vk::kQ] || keys[vk::kF5]) {
                done = true;
            } else {
                handleShellKeys();
                if (authoring) {
                    authoring->handleKeys(mainWindow());
                }
                if (!frozen) {
                    drawFrame();
                }
            }
        } else {
            platform::sleepMilliseconds(10);
        }
        if (keys[vk::kF1]) {
            keys[vk::kF1] = 0;
            killWindow();
            fullscreen = !fullscreen;
            if (!startWindow()) {
                platform::exitProcess(0);
            }
            keys[vk::kF8] = 0;
        }
        idlePassDone();
    }
}

int failUsage(const std::string& error) {
    std::fprintf(stderr, "tarvel: %s\nTry 'tarvel --help'.\n", error.c_str());
    return 2;
}

// Output paths made absolute, --shot's file checked, then into the data set's directory.
bool enterDataSet() {
    outputPaths.resolve(options);
    std::string error;
    for (const auto& shot : options.shots) {
        if (!OutputPaths::checkShotTarget(shot.file, error)) {
            std::fprintf(stderr, "tarvel: %s\n", error.c_str());
            return false;
        }
    }
    DataSetSearch search(options.dataDirectory);
    if (!search.find()) {
        std::fprintf(stderr, "tarvel: %s\n", search.notFoundMessage().c_str());
        return false;
    }
    if (chdir(search.found().c_str()) != 0) {
        std::fprintf(stderr, "tarvel: cannot change to %s: %s\n", search.found().c_str(),
                     std::strerror(errno));
        return false;
    }
    return true;
}

// Opens the recording before anything is loaded, so a bad file name fails at once.
bool startOfflineWork() {
    const double fps = 1.0 / options.fixedStep();
    const double end = std::min(options.to, ShowClock::kEndTime);
    if (options.capture) {
        capture =
            std::make_unique<CaptureSession>(options.outputWidth, options.outputHeight, fps, 44100);
        return capture->open(options.captureFile, options.startTime(), end);
    }
    if (options.shot) {
        shots = std::make_unique<ShotSeries>(options.shots);
    }
    if (options.bench) {
        const auto frames = std::llround((end - options.startTime()) * fps);
        benchProgress = std::make_unique<ProgressLine>("tarvel: bench ", frames, 1.0 / fps);
    }
    return true;
}

// Chooses the ui, the clock and the window kind; false with a message when the chosen mode
// cannot run here.
bool prepareMode(bool& showDialog) {
    if (!windowRequestPossible(options)) {
        return false;
    }
    const bool display = platform::Window::hasDisplay();
    showDialog = false;
    if (options.offline() || !display) {
        if (!options.offline()) {
            std::fprintf(stderr,
                         "tarvel: no display (neither DISPLAY nor WAYLAND_DISPLAY is set): "
                         "recording the show to %s instead\n",
                         outputPaths.absolute("tarvel.mp4").c_str());
            options.capture = true;
            options.captureFile = outputPaths.absolute("tarvel.mp4");
        }
        platform::setUi(platform::makeNonInteractiveUi());
        setOffscreen(true);
        fullscreen = false;
    } else {
        auto gtk = platform::makeGtkUi();
        if (!gtk) {
            return reportUnopenableDisplay();
        }
        platform::setUi(std::move(gtk));
        showDialog = !options.windowed && !options.fullscreen;
        fullscreen = options.fullscreen;
        modeSwitch = options.modeSwitch;
        setVerticalSync(options.fixedStep() <= 0);
    }
    if (options.fixedStep() > 0) {
        // The mixer follows the stepped clock, so every run hears the same samples.
        Music::selectOutput(platform::sound::OutputKind::NonRealTime);
        fixedClock = std::make_unique<platform::FixedStepClock>(1.0 / options.fixedStep());
        platform::setClock(fixedClock.get());
    }
    platform::Interruption::describe(runDescription(options));
    return startOfflineWork();
}

}  // namespace

void drawFrame() {
    const auto begin = SteadyClock::now();
    platform::clock().frameStarted();
    if (fixedClock && music) {
        music->advanceOutput(fixedClock->step());
    }
    if (capture) {
        capture->frameStarting();
    }
    if (authoring) {
        authoring->beforeFrame();
    }
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    show->drawShow();
    checkGlErrors();
    framesDrawn += 1;
    world->updateFrameRate();
    if (authoring) {
        authoring->afterFrame(mainWindow());
    }
    windowLetterbox().clearBars();
    if (shots) {
        writeDueShots();
    }
    glFlush();
    if (options.bench) {
        glFinish();
    }
    if (capture && capture->frameDrawn(showTime)) {
        finishCapture();
    }
    mainWindow().swap();
    if (!firstFrameDrawn) {
        firstFrameDrawn = true;
        frameStats.setStartupMilliseconds(millisecondsSince(launchTime), peakResidentMegabytes());
    }
    if (options.bench) {
        frameStats.addFrame(showTime, millisecondsSince(begin), peakResidentMegabytes());
        benchProgress->update(static_cast<long long>(frameStats.frames().size()), showTime);
    }
}

int runTarvel(int argc, char** argv) {
    platform::Interruption::install();
    std::string error;
    if (!parseOptions(argc, argv, options, error)) {
        return failUsage(error);
    }
    if (options.help) {
        std::fputs(usageText(), stdout);
        return 0;
    }
    if (options.version) {
        std::printf("tarvel %s (%s)\n", TARVEL_VERSION, TARVEL_REVISION);
        return 0;
    }
    if (!enterDataSet()) {
        return 1;
    }
    if (options.watch || platform::fileExists("logga")) {
        Authoring::reportSkippedRows();
    }
    bool showDialog = false;
    if (!prepareMode(showDialog)) {
        return 1;
    }
    if (showDialog) {
        bool chosen = true;
        if (platform::ui().startupDialog(chosen) != platform::Answer::Ok) {
            platform::exitProcess(-1);
        }
        fullscreen = chosen;
    }
    std::string detail;
    if (!platform::Window::initVideo(options.offline() || !platform::Window::hasDisplay(),
                                     detail)) {
        std::fprintf(stderr, "tarvel: no display and no offscreen GL context: %s\n",
                     detail.c_str());
        return 1;
    }
    if (!startWindow()) {
        if (!mainWindow().isOpen() && (options.offline() || !platform::Window::hasDisplay())) {
            std::fprintf(stderr, "tarvel: no GL context could be created\n");
            return 1;
        }
        return 0;
    }
    if (options.schedule) {
        const std::string text = Schedule(*show).text();
        const bool written = std::fputs(text.c_str(), stdout) >= 0 && std::fflush(stdout) == 0;
        platform::exitProcess(written ? 0 : 1);
    }
    runMainLoop();
    killWindow();
    platform::exitProcess(0);
    return 0;
}
