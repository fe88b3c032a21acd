#include "platform/interruption.h"

#include <SDL2/SDL.h>
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>

#include "platform/process.h"

namespace platform {
namespace {

// Everything the handler reads lives in fixed buffers: it may neither allocate nor lock.
constexpr int kSlots = 8;
constexpr size_t kPathSize = 4096;
char guardedPaths[kSlots][kPathSize];
volatile sig_atomic_t guardedInUse[kSlots];
char activity[512] = "the program";
volatile sig_atomic_t caught = 0;
volatile sig_atomic_t lineWritten = 0;
int wakePipe[2] = {-1, -1};

const char* signalName(int signal) {
    switch (signal) {
        case SIGINT:
            return "SIGINT";
        case SIGTERM:
            return "SIGTERM";
        case SIGHUP:
            return "SIGHUP";
        default:
            return "a signal";
    }
}

void writeText(const char* text) {
    const ssize_t ignored = write(STDERR_FILENO, text, std::strlen(text));
    (void)ignored;
}

void removeGuardedFiles() {
    for (int slot = 0; slot < kSlots; ++slot) {
        if (guardedInUse[slot]) {
            unlink(guardedPaths[slot]);
        }
    }
}

// From the handler: only async-signal-safe calls.
[[noreturn]] void endNow(int signal) {
    removeGuardedFiles();
    if (lineWritten) {
        _exit(128 + signal);  // the main thread said it already and got stuck restoring
    }
    writeText("tarvel: ");
    writeText(signalName(signal));
    writeText(" interrupted ");
    writeText(activity);
    writeText("\n");
    _exit(128 + signal);
}

void onSignal(int signal) {
    if (caught != 0) {
        endNow(caught);  // a second signal does not wait
    }
    caught = signal;
    const int savedErrno = errno;
    const char byte = 1;
    const ssize_t ignored = write(wakePipe[1], &byte, 1);
    (void)ignored;
    // The main thread gets a moment to end in order; loading or encoding may keep it away.
    alarm(static_cast<unsigned>(Interruption::kGraceSeconds));
    errno = savedErrno;
}

void onAlarm(int) {
    if (caught != 0) {
        endNow(caught);
    }
}

void handle(int signal, void (*handler)(int)) {
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(signal, &action, nullptr);
}

}  // namespace

void Interruption::install() {
    if (wakePipe[0] >= 0) {
        return;
    }
    if (pipe2(wakePipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        wakePipe[0] = wakePipe[1] = -1;
    }
    // SDL would turn SIGINT and SIGTERM into a quit event, which ends the program with 0.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    for (int signal : {SIGINT, SIGTERM, SIGHUP}) {
        handle(signal, onSignal);
    }
    handle(SIGALRM, onAlarm);
    // Any other way out leaves no half-written file either.
    addRestoreHook(removeGuardedFiles);
}

void Interruption::describe(const std::string& what) {
    std::snprintf(activity, sizeof activity, "%s", what.c_str());
}

int Interruption::guardFile(const std::string& path) {
    if (path.size() >= kPathSize) {
        return -1;
    }
    for (int slot = 0; slot < kSlots; ++slot) {
        if (!guardedInUse[slot]) {
            std::memcpy(guardedPaths[slot], path.c_str(), path.size() + 1);
            guardedInUse[slot] = 1;
            return slot;
        }
    }
    return -1;
}

void Interruption::releaseFile(int slot) {
    if (slot >= 0 && slot < kSlots) {
        guardedInUse[slot] = 0;
    }
}

int Interruption::wakeDescriptor() {
    return wakePipe[0];
}

int Interruption::pending() {
    return caught;
}

std::string Interruption::message(int signal) {
    return std::string("tarvel: ") + signalName(signal) + " interrupted " + activity;
}

void Interruption::endIfSignalled() {
    const int signal = caught;
    if (signal == 0) {
        return;
    }
    removeGuardedFiles();
    std::fprintf(stderr, "%s\n", message(signal).c_str());
    std::fflush(stderr);
    lineWritten = 1;
    exitProcess(128 + signal);
}

}  // namespace platform
