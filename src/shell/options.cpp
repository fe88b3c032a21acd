#include "shell/options.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

bool parseNumber(const char* text, double& value) {
    if (!text || !*text)
        return false;
    char* end = nullptr;
    errno = 0;
    value = std::strtod(text, &end);
    return errno == 0 && end && *end == '\0' && std::isfinite(value);
}

}  // namespace

double Options::fixedStep() const {
    if (framesPerSecond > 0)
        return 1.0 / framesPerSecond;
    return offline() ? 1.0 / 60.0 : 0.0;
}

bool parseOptions(int argc, char** argv, Options& options, std::string& error) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto needs = [&](int count) {
            if (i + count < argc)
                return true;
            error = "option " + arg + " needs " + std::to_string(count) + " argument" +
                    (count > 1 ? "s" : "");
            return false;
        };
        if (arg == "--windowed") {
            options.windowed = true;
        } else if (arg == "--fullscreen") {
            options.fullscreen = true;
        } else if (arg == "--data") {
            if (!needs(1))
                return false;
            options.dataDirectory = argv[++i];
        } else if (arg == "--fps") {
            if (!needs(1))
                return false;
            if (!parseNumber(argv[++i], options.framesPerSecond) || options.framesPerSecond <= 0 ||
                options.framesPerSecond > 10000) {
                error = "--fps needs a number of frames per second above 0";
                return false;
            }
        } else if (arg == "--shot") {
            if (!needs(2))
                return false;
            if (!parseNumber(argv[++i], options.shotTime)) {
                error = "--shot needs a show time in seconds";
                return false;
            }
            options.shotFile = argv[++i];
            options.shot = true;
        } else if (arg == "--bench") {
            options.bench = true;
        } else if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg == "--version") {
            options.version = true;
        } else {
            error = "unknown option " + arg;
            return false;
        }
    }
    if (options.windowed && options.fullscreen) {
        error = "--windowed and --fullscreen exclude each other";
        return false;
    }
    if (options.shot && options.bench) {
        error = "--shot and --bench exclude each other";
        return false;
    }
    return true;
}

const char* usageText() {
    return "usage: tarvel [options]\n"
           "  --windowed          play in a window (skips the start-up dialog)\n"
           "  --fullscreen        play fullscreen at 800 x 600 (skips the start-up dialog)\n"
           "  --data DIR          change to DIR (the directory holding vintra/) first\n"
           "  --fps N             fixed clock: every frame advances show time by 1/N s\n"
           "  --shot T FILE.png   render up to show time T, write that frame, exit\n"
           "  --bench             render the whole show as fast as possible, print frame times\n"
           "  --help, --version   this text, the version\n";
}
