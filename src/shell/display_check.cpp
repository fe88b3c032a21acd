#include "shell/display_check.h"

#include <cstdio>
#include <cstdlib>

#include "base/log.h"
#include "platform/window.h"

namespace {

// The first option given that only means something in a window.
const char* windowOption(const Options& options) {
    if (options.windowed) {
        return "--windowed";
    }
    if (options.fullscreen) {
        return "--fullscreen";
    }
    if (options.hasLoop) {
        return "--loop";
    }
    return options.watch ? "--watch" : nullptr;
}

}  // namespace

bool windowRequestPossible(const Options& options) {
    if (options.offline() || options.check || platform::Window::hasDisplay()) {
        return true;
    }
    const char* option = windowOption(options);
    if (option == nullptr) {
        return true;  // the plain start records instead, and says so
    }
    logWindow->say(LogLevel::Error, LogModule::Shell,
                   "tarvel: %s needs a display, and neither DISPLAY nor WAYLAND_DISPLAY is set; "
                   "to record the show instead, run tarvel --capture FILE.mp4%s",
                   option, options.hasLoop ? " --from A --to B" : "");
    return false;
}

bool reportUnopenableDisplay() {
    const char* variable = "DISPLAY";
    const char* name = std::getenv(variable);
    if (name == nullptr || *name == '\0') {
        variable = "WAYLAND_DISPLAY";
        name = std::getenv(variable);
    }
    logWindow->say(LogLevel::Error, LogModule::Shell,
                   "tarvel: cannot open display %s (named by %s)", name ? name : "", variable);
    return false;
}
