// The program's command line: window mode, data directory, fixed frame step and the
// offline modes (a still frame, a benchmark run).
#pragma once

#include <string>

struct Options {
    bool windowed = false;
    bool fullscreen = false;
    std::string dataDirectory;
    double framesPerSecond = 0;  // 0: the real-time clock
    bool shot = false;
    double shotTime = 0;
    std::string shotFile;
    bool bench = false;
    bool help = false;
    bool version = false;

    // --shot and --bench run without a display, a dialog or a person.
    bool offline() const { return shot || bench; }
    // Offline modes always step the clock; --fps alone steps it too.
    double fixedStep() const;
};

// False with a message in `error` for an unknown or malformed option.
bool parseOptions(int argc, char** argv, Options& options, std::string& error);

const char* usageText();
