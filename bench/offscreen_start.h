// The start the benchmarks on the generated data set share: into the data set's directory
// (the first argument, if any), the non-interactive ui, a quiet log and an offscreen GL
// context. False after saying why on standard error.
#pragma once

#include <unistd.h>

#include <cstdio>
#include <string>

#include "platform/ui.h"
#include "platform/window.h"
#include "shell/log_window.h"

inline bool startOffscreen(int argc, char** argv, const char* program, platform::Window& window) {
    if (argc > 1 && chdir(argv[1]) != 0) {
        std::fprintf(stderr, "%s: cannot change to %s\n", program, argv[1]);
        return false;
    }
    platform::setUi(platform::makeNonInteractiveUi());
    logWindow = new LogWindow(false);
    platform::Window::Options options;
    options.offscreen = true;
    std::string detail;
    if (window.create(options, detail) != platform::Window::Error::None) {
        std::fprintf(stderr, "%s: no GL context: %s\n", program, detail.c_str());
        return false;
    }
    return true;
}
