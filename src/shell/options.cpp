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

bool checkLoop(const Options& options, std::string& error) {
    if (options.offline()) {
        error = "--loop plays in the window; it excludes --shot, --bench and --capture";
    } else if (options.hasTo) {
        error = "--loop and --to exclude each other";
    } else if (options.loopStart < -4 || options.loopEnd > 185 ||
               options.loopEnd <= options.loopStart) {
        error = "--loop needs A < B within the show (-4 to 185 s)";
    } else if (options.hasFrom && options.from >= options.loopEnd) {
        error = "--from must be before the end of the loop";
    } else {
        return true;
    }
    return false;
}

bool checkRange(const Options& options, std::string& error) {
    if ((!options.chartFile.empty() || !options.csvFile.empty()) && !options.bench) {
        error = "--chart and --csv go with --bench";
    } else if (options.capture && options.captureFile.empty()) {
        error = "--capture needs a file name";
    } else if (options.hasFrom && options.from >= 185) {
        error = "--from must be before the end of the show (185 s)";
    } else if (options.hasLoop && !checkLoop(options, error)) {
        return false;
    } else if (options.hasTo && options.to <= options.startTime()) {
        error = "--to must come after the start of the show";
    } else {
        return true;
    }
    return false;
}

}  // namespace

double Options::startTime() const {
    if (hasFrom)
        return from;
    if (hasLoop)
        return loopStart;
    return capture ? 0.0 : -4.0;
}

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
            options.shots.push_back({options.shotTime, options.shotFile});
            options.shot = true;
        } else if (arg == "--bench") {
            options.bench = true;
        } else if (arg == "--chart" || arg == "--csv" || arg == "--capture") {
            if (!needs(1))
                return false;
            std::string& file = arg == "--chart" ? options.chartFile
                                : arg == "--csv" ? options.csvFile
                                                 : options.captureFile;
            file = argv[++i];
            options.capture = options.capture || arg == "--capture";
        } else if (arg == "--from" || arg == "--to") {
            if (!needs(1))
                return false;
            const bool from = arg == "--from";
            if (!parseNumber(argv[++i], from ? options.from : options.to)) {
                error = arg + " needs a show time in seconds";
                return false;
            }
            (from ? options.hasFrom : options.hasTo) = true;
        } else if (arg == "--watch") {
            options.watch = true;
        } else if (arg == "--loop") {
            if (!needs(2))
                return false;
            if (!parseNumber(argv[i + 1], options.loopStart) ||
                !parseNumber(argv[i + 2], options.loopEnd)) {
                error = "--loop needs two show times in seconds";
                return false;
            }
            i += 2;
            options.hasLoop = true;
        } else if (arg == "--schedule") {
            options.schedule = true;
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
    if (options.shot + options.bench + options.capture + options.schedule > 1) {
        error = "--shot, --bench, --capture and --schedule exclude each other";
        return false;
    }
    return checkRange(options, error);
}

const char* usageText() {
    return "usage: tarvel [options]\n"
           "  --windowed          play in a window (skips the start-up dialog)\n"
           "  --fullscreen        play fullscreen at 800 x 600 (skips the start-up dialog)\n"
           "  --data DIR          change to DIR (the directory holding vintra/) first\n"
           "  --fps N             fixed clock: every frame advances show time by 1/N s\n"
           "  --shot T FILE.png   render up to show time T, write that frame, exit (repeatable)\n"
           "  --bench             render the whole show as fast as possible, print frame times\n"
           "    --chart FILE.svg  with --bench: chart the frame times over show time\n"
           "    --csv FILE        with --bench: one row per frame\n"
           "  --capture FILE      record the show with its music to FILE (.mp4, .mkv, .webm)\n"
           "  --from T, --to T    start the show at show time T, end it at T\n"
           "  --schedule          print what plays when (every timeline entry), exit\n"
           "  --watch             authoring: read a list file again when it is saved\n"
           "  --loop A B          authoring: play show time A to B over and over\n"
           "  --help, --version   this text, the version\n";
}
